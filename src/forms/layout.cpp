// The main window follows its size.
#include "editor/window_ids.h"
#include "forms/forms.h"

// Every step reads back what the earlier steps wrote, and every fraction is
// truncated toward zero. The fractions are computed in integers (tenths), so
// that 0.3 of a width is never a hair below the whole number it should be.
// Negative sizes (a minimised window) are written as they come.
void LayoutMainWindow() {
  using namespace MainWindow;
  const int w = window.ClientWidth();
  const int h = window.ClientHeight();
  树型框1.SetWidth((w * 3 - 50) / 10);
  树型框1.SetHeight(h - 状态条1.Height());
  超级列表框1.SetLeft(树型框1.Width());
  超级列表框1.SetWidth(w - 树型框1.Width() - 5);
  超级列表框1.SetHeight((h - 状态条1.Height()) / 2);
  超级列表框1.SetColumnWidth(0, 超级列表框1.Width() / 2);
  超级列表框1.SetColumnWidth(1, 超级列表框1.Width() / 2);
  选择夹1.SetLeft(树型框1.Width());
  选择夹1.SetWidth(w - 树型框1.Width() - 5);
  选择夹1.SetHeight(h - 超级列表框1.Height() - 状态条1.Height() - 35);
  选择夹1.SetTop(超级列表框1.Height() + 35);
  列表框2.SetWidth(选择夹1.Width() - 8);
  列表框2.SetHeight(选择夹1.Height() - 30);
  编辑框1.SetWidth(选择夹1.Width() - 8);
  编辑框1.SetHeight(选择夹1.Height() - 30);
  状态条1.SetWidth(w);
  状态条1.SetPartWidth(0, w * 2 / 10);
  状态条1.SetPartWidth(1, w * 8 / 10);
}
