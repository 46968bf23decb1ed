#include "work_aside.h"

#include <exception>
#include <future>

namespace zolt {

void WorkAside(const std::function<void()> &work, const std::function<void()> &meanwhile,
               std::chrono::milliseconds every)
{
    std::future<void> working = std::async(std::launch::async, work);
    std::exception_ptr interrupted;
    while (working.wait_for(every) != std::future_status::ready) {
        if (interrupted || !meanwhile)
            continue;
        try {
            meanwhile();
        } catch (...) {
            interrupted = std::current_exception();
        }
    }
    if (interrupted)
        std::rethrow_exception(interrupted);
    working.get();  // throws what the work threw
}

}  // namespace zolt
