// The step clock of the timed Installer build on Win32 (see common/step_times.h); empty in every
// other build.
#include "common/step_times.h"

#ifdef K7_STEP_TIMES
#include <windows.h>

#include <cstring>

#include "common/bounded_path.h"

namespace {

long long stepSums[kStepKinds];  // performance-counter ticks
unsigned entryMicroseconds;       // process creation to the entry point

long long Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

unsigned Microseconds(long long ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<unsigned>(ticks * 1000000 / frequency.QuadPart);
}

// Microseconds from the process's creation to now, by the system clock.
unsigned SinceCreation() {
  FILETIME creation, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exited, &kernel, &user)) return 0;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER from, to;
  from.LowPart = creation.dwLowDateTime;
  from.HighPart = creation.dwHighDateTime;
  to.LowPart = now.dwLowDateTime;
  to.HighPart = now.dwHighDateTime;
  return to.QuadPart > from.QuadPart ? static_cast<unsigned>((to.QuadPart - from.QuadPart) / 10)
                                     : 0;
}

}  // namespace

StepTimer::StepTimer(StepKind kind) : kind_(kind), start_(Now()) {}

StepTimer::~StepTimer() { stepSums[kind_] += Now() - start_; }

void MarkEntryTime() { entryMicroseconds = SinceCreation(); }

void ReportStepTimes() {
  char line[320];
  if (!FormatBounded(line, sizeof line,
                     "step times us: start=%u file_check=%u room_check=%u inflate=%u write=%u "
                     "config=%u shortcuts=%u whole=%u\n",
                     entryMicroseconds, Microseconds(stepSums[kStepFileCheck]),
                     Microseconds(stepSums[kStepRoomCheck]), Microseconds(stepSums[kStepInflate]),
                     Microseconds(stepSums[kStepWrite]), Microseconds(stepSums[kStepConfig]),
                     Microseconds(stepSums[kStepShortcuts]), SinceCreation()))
    return;
  DWORD written;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(strlen(line)), &written,
            nullptr);
}
#endif
