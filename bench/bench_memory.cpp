// The process's memory now and at its peak, on either platform.
#include "bench_lines.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

namespace {

PROCESS_MEMORY_COUNTERS Counters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return PROCESS_MEMORY_COUNTERS{};
  return counters;
}

}  // namespace

double PeakMemoryBytes() { return static_cast<double>(Counters().PeakWorkingSetSize); }
double CurrentMemoryBytes() { return static_cast<double>(Counters().WorkingSetSize); }
#else
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

double PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

double CurrentMemoryBytes() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}
#endif
