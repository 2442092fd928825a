#pragma once
// "Font Configuration": a ruler to drag and a list of percentages, with a sample in the size
// chosen. The percentage text goes in and comes back out; Cancel gives back the one it opened
// with.

#include <windows.h>

#include <string>

#include "common/framework/modal_dialog.h"

class FontDialog : public ModalDialog {
 public:
  FontDialog();

  std::string percentText;

 protected:
  void OnInitDialog() override;
  void Exchange(ValueExchange& exchange) override;
  void OnCancel() override;
  void OnPaint(HDC dc) override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PercentChosen();
  void Drag(int x);
  void ShowPercentInCombo(int percent);
  void Invalidate();
  void PaintRuler(HDC dc);
  void PaintSample(HDC dc);

  int initialPercent_ = 0;
  int dpi_ = 0;
  float tickSpacing_ = 0.0f;
  float spacingAtPress_ = 0.0f;
  bool dragging_ = false;
  int pressX_ = 0;
  RECT ruler_{};
  RECT sample_{};
  HPEN greyPen_ = nullptr;
};
