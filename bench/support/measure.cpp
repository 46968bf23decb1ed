#include "measure.h"

#include <sys/resource.h>
#include <time.h>

namespace zolt::bench {

qint64 CpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

qint64 PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Timing::print(QTextStream &out, const char *key) const
{
    out << key << "_ms " << wallMs << "\n" << key << "_cpu_ms " << cpuMs << "\n";
}

}  // namespace zolt::bench
