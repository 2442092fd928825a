// Start-up time under Wine: from CreateProcess to the program's window on the screen, for
// Vistrel, for its sheet without its code (the same pages, doing nothing) and for the smallest
// dialog program, in turn, each closed before the next start.
// usage: STARTUP_BENCH.EXE [runs]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/interop/suite_names.h"
#include "tests/harness/harness.h"

namespace {

struct Subject {
  const char* name;
  std::string path;
  const char* windowClass;
  const char* caption;
  std::vector<double> milliseconds;
};

bool TimeOneStart(Subject& subject) {
  const auto start = std::chrono::steady_clock::now();
  harness::Program program(subject.path);
  HWND window = harness::WaitForWindow(subject.windowClass, subject.caption, program.Id());
  if (window == nullptr) return false;
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  subject.milliseconds.push_back(elapsed.count());
  harness::PressButton(window, IDCANCEL);
  return program.WaitForExit();
}

// Prints the subject's times; its median.
double Report(Subject& subject) {
  auto& times = subject.milliseconds;
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("%-20s runs %zu  median %7.1f ms  min %7.1f ms  max %7.1f ms\n", subject.name,
              times.size(), median, times.front(), times.back());
  return median;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string folder = harness::OwnFolder();
  std::vector<Subject> subjects = {
      {"VISTREL.EXE", folder + "\\VISTREL.EXE", "#32770", names::kVistrelSheetCaption, {}},
      {"BARE_SHEET.EXE", folder + "\\BARE_SHEET.EXE", "#32770", "Bare Sheet", {}},
      {"MINIMAL_DIALOG.EXE", folder + "\\MINIMAL_DIALOG.EXE", "#32770", "Minimal Dialog", {}},
  };
  for (int run = 0; run < runs; ++run) {
    for (Subject& subject : subjects) {
      if (!TimeOneStart(subject)) {
        std::fprintf(stderr, "%s did not show its window\n", subject.name);
        return 1;
      }
    }
  }
  std::vector<double> medians;
  for (Subject& subject : subjects) medians.push_back(Report(subject));
  std::printf("Vistrel beside the smallest dialog program %5.2f, beside its bare sheet %5.2f\n",
              medians[0] / medians[2], medians[0] / medians[1]);
  return 0;
}
