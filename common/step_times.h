// Where a silent run's time goes, for bench/install_speed.sh. The Installer built with
// K7_STEP_TIMES (bench/bench.cmake's K7_Quorvane_Setup_timed, never the shipped one) adds up the
// time spent in each kind of step with the performance counter and, as it ends, writes one line
// to its standard error:
//   step times us: start=S file_check=F room_check=R inflate=I write=W config=C shortcuts=H
//   whole=T
// in microseconds: S from the process's creation to its entry point, T from its creation to the
// line. In every other build a StepTimer is nothing and the two calls do nothing.
#pragma once

enum StepKind {
  kStepFileCheck,  // the damaged-file check of the Installer's own file
  kStepRoomCheck,  // the free-space check
  kStepInflate,    // inflating payload streams
  kStepWrite,      // writing payload files (temporary file, move, attributes)
  kStepConfig,     // the configuration file and the control settings
  kStepShortcuts,  // the Start-menu entries and the desktop icon
  kStepKinds
};

#ifdef K7_STEP_TIMES
// Adds the time from its making to its end to its kind's sum.
class StepTimer {
 public:
  explicit StepTimer(StepKind kind);
  ~StepTimer();
  StepTimer(const StepTimer&) = delete;
  StepTimer& operator=(const StepTimer&) = delete;

 private:
  StepKind kind_;
  long long start_;
};
void MarkEntryTime();     // first thing at the entry point
void ReportStepTimes();   // last thing before the process ends
#else
class StepTimer {
 public:
  explicit StepTimer(StepKind) {}
};
inline void MarkEntryTime() {}
inline void ReportStepTimes() {}
#endif
