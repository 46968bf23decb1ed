// A stand-in for libFuzzer's driver: feeds every file named on the command
// line, and every file under the folders named there, to the fuzz target
// once, in name order. The normal and the sanitizer builds replay the seed
// corpora and the inputs that once found a fault with it, so that no
// compiler or build keeps them from being checked.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsUnder(const fs::path &place)
{
    std::vector<fs::path> files;
    if (fs::is_directory(place)) {
        for (const fs::directory_entry &entry : fs::recursive_directory_iterator(place)) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
    } else if (fs::is_regular_file(place)) {
        files.push_back(place);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The bytes in a buffer of exactly their size, so that a read past the end
// is a read past the allocation the sanitizer sees.
std::vector<uint8_t> bytesOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char **argv)
{
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> found = inputsUnder(argv[i]);
        files.insert(files.end(), found.begin(), found.end());
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s FOLDER-OR-FILE... (no input found)\n", argv[0]);
        return 2;
    }
    for (const fs::path &file : files) {
        const std::vector<uint8_t> bytes = bytesOf(file);
        // An empty input still comes with a valid pointer, as from libFuzzer.
        static const uint8_t none = 0;
        LLVMFuzzerTestOneInput(bytes.empty() ? &none : bytes.data(), bytes.size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", files.size());
    return 0;
}
