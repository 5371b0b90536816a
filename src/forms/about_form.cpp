// The about window: modal, closed with its close box or Esc.
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "forms/resource_ids.h"

Form AboutWindowForm() {
  using namespace AboutWindow;
  Form form;
  form.window = kAboutWindow;
  form.designName = "AboutWindow";
  form.caption = "关于 Varnel";
  form.geometry = {0, 0, 295, 180};
  form.style = kFixedFrame | kCentred | kEscCloses;
  form.icon = VARNEL_IDI_MAIN;
  form.controls = {
      {.type = ControlType::Label, .id = k透明标签1, .designName = "透明标签1", .geometry = {66, 112, 222, 32},
       .style = kTransparent | kBold | kItalic, .caption = "Varnel开发组 88886666",
       .textColour = Rgb(0, 0, 255), .fontName = "华文新魏", .fontHeight = -19},
      {.type = ControlType::PictureBox, .id = k图片框1, .designName = "图片框1", .geometry = {5, 102, 48, 44},
       .style = kStaticEdge | kButtonFace, .images = {VARNEL_IDI_LOGO, 48, 48, 1}},
      {.type = ControlType::Label, .id = k标签1, .designName = "标签1", .geometry = {0, 0, 288, 100}},
  };
  form.bindings = AboutWindowBindings();
  return form;
}

void ShowAboutWindow() { LoadWindow(AboutWindowForm(), kNoWindow, true); }
