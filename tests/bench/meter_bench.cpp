// The refresh meter's error against the card's true rate: Vistrel's Coarse count at each
// refresh rate the card offers for the 800 x 600 boot mode, beside the rate the simulated card
// runs at. Every count is reported; none is taken again.
// usage: METER_BENCH.EXE [counts per rate]

#include <windows.h>

#include <prsht.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/interop/suite_names.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"
#include "vistrel/shell/resource.h"

namespace {

constexpr int kMeterPage = 2;
// The refresh choices for 800 x 600 in system.ini's list: 56, 60, 72, 75, 90 and 120 Hz.
constexpr const char* kRefreshChoices[] = {"-1,0,-1,-1,-1,-1", "-1,1,-1,-1,-1,-1",
                                           "-1,2,-1,-1,-1,-1", "-1,3,-1,-1,-1,-1",
                                           "-1,4,-1,-1,-1,-1", "-1,6,-1,-1,-1,-1"};

// One Coarse count on the meter page: the readout in hertz, 0 when none came.
double CoarseCount(HWND page) {
  HWND panel = harness::Control(page, IDC_METER_PANEL);
  harness::PressButton(page, IDC_COARSE);
  // The click clears the last readout before it counts.
  harness::WaitFor([&] { return GetPropA(panel, "MeterRate") == nullptr; });
  std::uintptr_t kept = 0;
  harness::WaitFor(
      [&] { return (kept = reinterpret_cast<std::uintptr_t>(GetPropA(panel, "MeterRate"))) != 0; },
      harness::Milliseconds(60000));
  return kept == 0 ? 0.0 : static_cast<double>(kept - 1) / 10.0;
}

}  // namespace

int main(int argc, char** argv) {
  const int counts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::string vistrel = harness::OwnFolder() + "\\VISTREL.EXE";
  std::printf("The meter's Coarse count (200 retraces) beside the card's rate, %d counts each:\n",
              counts);
  double worst = 0.0;
  for (const char* choice : kRefreshChoices) {
    WritePrivateProfileStringA("Marovane", "Refresh", choice, "system.ini");
    machine::Boot();
    const double trueHz = machine::State()->card.registers.refreshHz;
    harness::Program program(vistrel);
    HWND sheet = harness::WaitForWindow("#32770", names::kVistrelSheetCaption, program.Id());
    if (sheet == nullptr) {
      std::fprintf(stderr, "Vistrel did not show its sheet\n");
      return 1;
    }
    SendMessageA(sheet, PSM_SETCURSEL, kMeterPage, 0);
    HWND page = harness::CurrentPage(sheet);
    std::printf("  card at %5.1f Hz, meter reads", trueHz);
    for (int count = 0; count < counts; ++count) {
      const double shown = CoarseCount(page);
      if (shown == 0.0) {
        std::fprintf(stderr, "\nthe meter showed no rate\n");
        return 1;
      }
      worst = std::max(worst, std::abs(shown - trueHz) / trueHz);
      std::printf(" %5.1f", shown);
    }
    std::printf(" Hz\n");
    harness::PressButton(sheet, IDCANCEL);
    program.WaitForExit();
  }
  std::printf("  largest error                %5.2f %%   (ratio %.4f)\n", worst * 100.0,
              1.0 + worst);
  return 0;
}
