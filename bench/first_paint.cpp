// The driver of bench/first_paint.sh: how long programs take from their start to their first
// wizard page on screen.
//
// Usage: first_paint [--capture FOLDER] ROUNDS PROGRAM...
// One untimed warm-up round, then ROUNDS rounds; in each, every PROGRAM in turn (odd rounds in
// the order given, even rounds in the reverse order) is started with no arguments and timed
// (QueryPerformanceCounter) from just before CreateProcessA to the moment WaitForInputIdle
// returns: the program's thread has handled every message it had, its first paint included, and
// waits for input. Then its top-level window of template 101 must be visible with the path field
// (IDC_PATH) visible, the first page's control; the program is ended (WM_QUIT posted to its
// first thread ends its message loop; TerminateProcess after kExitTimeoutMs) and waited for, and
// the machine is left kSettleMs before the next start.
// With --capture, the screen is saved as FOLDER\<program>.bmp the moment the first timed round's
// wait returns, to see what was painted by then. Under Wine 8.0 here, every such screen showed
// the whole page, the Installer's Chinese captions included (20 rounds of each program, equal to
// the screen seconds later but for the edit field's caret): the wait is a first-paint signal,
// the same for both programs.
//
// Prints each program's median, fastest and slowest time in milliseconds and its median over the
// first program's; then every timed round's time, and for each program after the first the
// median of its rounds' own ratios to the first. A round whose program ends, does not come to
// rest within kIdleTimeoutMs or shows no first page is reported and left out of the figures.
// Exit code 0 when every program has timed rounds, 1 otherwise, 2 for a bad command line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr DWORD kIdleTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 5000;
// After a program ends, the desktop repaints what its window covered and the wine server cleans
// up: the next start waits for that, so that no round pays for the previous one.
constexpr DWORD kSettleMs = 300;

// Marks a round without a time in Program::roundMs.
constexpr double kNoTime = -1;

// One program under test: its path, its file name for the table, and each timed round's time
// (kNoTime for a round that failed).
struct Program {
  const char* path;
  const char* name;
  std::vector<double> roundMs;
};

std::vector<double> TimesOf(const Program& program) {
  std::vector<double> times;
  for (double ms : program.roundMs)
    if (ms != kNoTime) times.push_back(ms);
  return times;
}

enum class RoundResult { kTimed, kNotStarted, kEnded, kNoRest, kNoFirstPage };

const char* Describe(RoundResult result) {
  switch (result) {
    case RoundResult::kTimed:
      return "timed";
    case RoundResult::kNotStarted:
      return "CreateProcessA failed";
    case RoundResult::kEnded:
      return "the program ended before it waited for input";
    case RoundResult::kNoRest:
      return "the program did not wait for input within 30 s";
    case RoundResult::kNoFirstPage:
      return "no visible window of template 101 with a visible path field";
  }
  return "?";
}

// What EnumWindows looks for: a visible top-level window of the process whose path field is
// visible too.
struct FirstPageSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchFirstPage(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<FirstPageSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || IsIconic(window)) return TRUE;
  HWND path = GetDlgItem(window, IDC_PATH);
  if (path == nullptr || !IsWindowVisible(path)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FirstPageOf(DWORD processId) {
  FirstPageSearch search = {processId, nullptr};
  EnumWindows(MatchFirstPage, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Saves the whole screen, as the screen DC has it now, as a 24-bit bottom-up BMP file.
bool SaveScreen(const char* path) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  bool copied = false;
  if (image != nullptr && memory != nullptr) {
    HGDIOBJ earlier = SelectObject(memory, image);
    copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, earlier);
  }
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  bool saved = false;
  if (copied) {
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    FILE* file = fopen(path, "wb");
    if (file != nullptr) {
      saved = fwrite(&header, sizeof header, 1, file) == 1 &&
              fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
              fwrite(bits, imageBytes, 1, file) == 1;
      saved = fclose(file) == 0 && saved;
    }
  }
  if (image != nullptr) DeleteObject(image);
  return saved;
}

// Ends a started program: WM_QUIT ends the message loop of the Installer and of the bare dialog
// alike; a program still there after kExitTimeoutMs is terminated.
void EndProgram(const PROCESS_INFORMATION& process) {
  PostThreadMessageA(process.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kExitTimeoutMs);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

double MillisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// Starts `program` once and times it to its first wait for input; saves the screen then as
// `capturePath` unless that is null.
RoundResult TimeFirstPage(const Program& program, LARGE_INTEGER frequency,
                          const char* capturePath, double* milliseconds) {
  char commandLine[MAX_PATH + 3];
  const size_t pathLength = strlen(program.path);
  if (pathLength + 3 > sizeof commandLine) return RoundResult::kNotStarted;
  commandLine[0] = '"';
  memcpy(commandLine + 1, program.path, pathLength);
  commandLine[pathLength + 1] = '"';
  commandLine[pathLength + 2] = '\0';
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};

  LARGE_INTEGER start, rest;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program.path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return RoundResult::kNotStarted;
  const DWORD waited = WaitForInputIdle(process.hProcess, kIdleTimeoutMs);
  QueryPerformanceCounter(&rest);

  if (capturePath != nullptr && waited == 0 && !SaveScreen(capturePath))
    fprintf(stderr, "first_paint: could not save the screen as %s\n", capturePath);
  RoundResult result = RoundResult::kTimed;
  // The wait also returns at once when the process has ended.
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
    result = RoundResult::kEnded;
  else if (waited != 0)
    result = RoundResult::kNoRest;
  else if (FirstPageOf(process.dwProcessId) == nullptr)
    result = RoundResult::kNoFirstPage;
  *milliseconds = MillisecondsBetween(start, rest, frequency);
  EndProgram(process);
  return result;
}

// The median of `values`, which must not be empty.
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* FileNameOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  return name;
}

int Usage() {
  fprintf(stderr, "usage: first_paint [--capture FOLDER] ROUNDS PROGRAM...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int next = 1;
  const char* captureFolder = nullptr;
  if (argc > 2 && strcmp(argv[1], "--capture") == 0) {
    captureFolder = argv[2];
    next = 3;
  }
  if (argc - next < 2) return Usage();
  const int rounds = atoi(argv[next++]);
  if (rounds < 1) return Usage();
  std::vector<Program> programs;
  for (; next < argc; ++next)
    programs.push_back(Program{argv[next], FileNameOf(argv[next]), {}});
  const int count = static_cast<int>(programs.size());

  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency)) {
    fprintf(stderr, "first_paint: no performance counter\n");
    return 1;
  }
  // Round 0 is the warm-up: its times are not kept. Odd rounds take the programs in the order
  // given, even rounds in the reverse order, so that none always starts after the same one.
  for (int round = 0; round <= rounds; ++round) {
    for (int turn = 0; turn < count; ++turn) {
      Program& program = programs[round % 2 != 0 ? turn : count - 1 - turn];
      char capturePath[MAX_PATH];
      const char* capture = nullptr;
      if (captureFolder != nullptr && round == 1 &&
          snprintf(capturePath, sizeof capturePath, "%s\\%s.bmp", captureFolder, program.name) <
              static_cast<int>(sizeof capturePath))
        capture = capturePath;
      double milliseconds = 0;
      const RoundResult result = TimeFirstPage(program, frequency, capture, &milliseconds);
      const bool timed = result == RoundResult::kTimed;
      if (!timed)
        fprintf(stderr, "first_paint: %s, %s %d: %s\n", program.name,
                round == 0 ? "warm-up round" : "round", round, Describe(result));
      if (round > 0) program.roundMs.push_back(timed ? milliseconds : kNoTime);
      Sleep(kSettleMs);
    }
  }

  printf("%-28s %6s %10s %10s %10s %8s\n", "program", "rounds", "median ms", "fastest ms",
         "slowest ms", "/ first");
  const std::vector<double> firstTimes = TimesOf(programs.front());
  int exitCode = 0;
  for (const Program& program : programs) {
    const std::vector<double> times = TimesOf(program);
    const int failed = static_cast<int>(program.roundMs.size() - times.size());
    if (times.empty()) {
      printf("%-28s no timed round (%d failed)\n", program.name, failed);
      exitCode = 1;
      continue;
    }
    const double median = Median(times);
    char ratio[16] = "-";
    if (!firstTimes.empty()) snprintf(ratio, sizeof ratio, "%.2f", median / Median(firstTimes));
    printf("%-28s %6d %10.1f %10.1f %10.1f %8s\n", program.name, static_cast<int>(times.size()),
           median, *std::min_element(times.begin(), times.end()),
           *std::max_element(times.begin(), times.end()), ratio);
    if (failed > 0) printf("%-28s %d round(s) failed, left out\n", "", failed);
  }
  // Each timed round in order: a busy spell of the machine shows as a run of slow rounds of
  // every program. A round's own ratio compares two starts less than a second apart, which a
  // busy spell slows alike.
  printf("\nms by round (- failed):\n");
  for (const Program& program : programs) {
    printf("%-28s", program.name);
    for (double ms : program.roundMs) {
      if (ms == kNoTime)
        printf(" -");
      else
        printf(" %.0f", ms);
    }
    printf("\n");
  }
  for (int k = 1; k < count; ++k) {
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
      const double first = programs.front().roundMs[round], ms = programs[k].roundMs[round];
      if (first != kNoTime && ms != kNoTime) ratios.push_back(ms / first);
    }
    if (!ratios.empty())
      printf("%s / %s, the median of the rounds' own ratios: %.2f\n", programs[k].name,
             programs.front().name, Median(ratios));
  }
  return exitCode;
}
