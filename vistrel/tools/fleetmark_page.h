#pragma once
// The Fleetmark page: Go! starts the graphics benchmark; leaving the page, or the sheet with
// OK, Apply, Cancel or its close box, ends the one started last.

#include <windows.h>

#include "common/framework/property_page.h"

class CPPage6 : public PropertyPage {
 public:
  CPPage6();
  ~CPPage6() override;

 protected:
  bool OnKillActive() override;
  void OnCancel() override;
  void OnPaint(HDC dc) override;

 private:
  void StartBenchmark();
  void EndBenchmark();

  PROCESS_INFORMATION benchmark_{};
};
