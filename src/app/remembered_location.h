#pragma once

#include <QString>
#include <optional>

namespace zolt {
class DataEnvironment;
}

namespace zolt::app {

// The drive, folder and file the user last chose, kept in ZoltSystem.
struct FileLocation {
    QString drive;  // root folder of the volume
    QString dir;
    QString file;
};

// The location kept in the first row of ZoltSystem; none when the table is empty.
std::optional<FileLocation> RememberedLocation(DataEnvironment &de);

// Writes the location into the first row of ZoltSystem (added when the table
// is empty) and empties its Year, which the payment load fills in.
void RememberLocation(DataEnvironment &de, const FileLocation &location);

}  // namespace zolt::app
