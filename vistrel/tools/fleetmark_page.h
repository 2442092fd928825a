#pragma once
// The Fleetmark page: Go! starts the graphics benchmark; leaving the page ends the one started
// last.

#include <windows.h>

#include "common/framework/property_page.h"

class CPPage6 : public PropertyPage {
 public:
  CPPage6();
  ~CPPage6() override;

 protected:
  bool OnKillActive() override;
  void OnPaint(HDC dc) override;

 private:
  void StartBenchmark();

  PROCESS_INFORMATION benchmark_{};
};
