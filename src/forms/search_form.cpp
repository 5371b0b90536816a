// The find window: modal over the main window, made anew at every opening.
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "forms/resource_ids.h"

Form SearchWindowForm() {
  using namespace SearchWindow;
  Form form;
  form.window = kSearchWindow;
  form.designName = "SearchWindow";
  form.caption = "查找";
  form.geometry = {0, 0, 399, 142};
  form.style = kFixedFrame | kCentred | kEscCloses;
  form.icon = VARNEL_IDI_SEARCH;
  // The letters in brackets are plain text: no caption has an access key.
  form.controls = {
      {.type = ControlType::RadioBox, .id = k向下, .designName = "向下", .geometry = {79, 24, 67, 24},
       .parent = k分组框1, .style = kAutoRadio | kGroupStart | kTabStop, .caption = "向下(D)"},
      {.type = ControlType::RadioBox, .id = k向上, .designName = "向上", .geometry = {8, 24, 64, 24},
       .parent = k分组框1, .style = kAutoRadio | kTabStop, .caption = "向上(U)"},
      {.type = ControlType::GroupBox, .id = k分组框1, .designName = "分组框1", .geometry = {85, 49, 152, 64},
       .caption = "方向"},
      {.type = ControlType::Button, .id = k取消, .designName = "取消", .geometry = {285, 65, 104, 32},
       .style = kTabStop, .caption = "取消"},
      {.type = ControlType::Button, .id = k查找下一个, .designName = "查找下一个", .geometry = {285, 18, 104, 32},
       .style = kTabStop, .caption = "查找下一个(F):"},
      {.type = ControlType::EditBox, .id = k编辑框1, .designName = "编辑框1", .geometry = {89, 18, 184, 24},
       .style = kClientEdge | kTabStop},
      {.type = ControlType::Label, .id = k标签1, .designName = "标签1", .geometry = {8, 16, 72, 32},
       .caption = "查找内容(N):"},
  };
  form.bindings = SearchWindowBindings();
  return form;
}

void OpenSearchWindow() { LoadWindow(SearchWindowForm(), kMainWindow, true); }
