// The three windows and the controls the commands address, by the names
// their forms give them. The forms (forms/) lay these controls out; the
// commands only name them.
#pragma once

#include "primitives/controls.h"

inline constexpr WindowId kMainWindow = 1;
inline constexpr WindowId kSearchWindow = 2;
inline constexpr WindowId kAboutWindow = 3;

namespace MainWindow {

inline constexpr Window window{kMainWindow};

// Control ids; menu ids follow from 100.
enum ControlId {
  k超级链接框1 = 20,
  k编辑框1,
  k列表框2,
  k工具条1,
  k状态条1,
  k超级列表框1,
  k通用对话框1,
  k树型框1,
  k选择夹1,
};

inline constexpr Control 超级链接框1{kMainWindow, k超级链接框1};
inline constexpr EditBox 编辑框1{kMainWindow, k编辑框1};
inline constexpr ListBox 列表框2{kMainWindow, k列表框2};
inline constexpr ToolBar 工具条1{kMainWindow, k工具条1};
inline constexpr StatusBar 状态条1{kMainWindow, k状态条1};
inline constexpr ListView 超级列表框1{kMainWindow, k超级列表框1};
inline constexpr CommonDlg 通用对话框1{kMainWindow, k通用对话框1};
inline constexpr TreeBox 树型框1{kMainWindow, k树型框1};
inline constexpr Tab 选择夹1{kMainWindow, k选择夹1};

enum MenuId {
  k文件菜单 = 100,
  k新建,
  k打开,
  k用记事本打开,
  k保存,
  k另存为,
  k退出,
  k编辑菜单 = 120,
  k向上插入项,
  k向下插入项,
  k编辑选定项,
  k恢复当前编辑项,
  k恢复所有编辑项,
  k恢复到最初,
  k删除选定项,
  k工具菜单 = 140,
  k查找,
  k提取所有,
  k提取钩选项,
  k提取目录树,
  k帮助菜单 = 160,
  k关于,
  kSeparator = 180,  // separators count up from here
};

inline constexpr MenuItem 文件菜单{kMainWindow, k文件菜单};
inline constexpr MenuItem 新建{kMainWindow, k新建};
inline constexpr MenuItem 打开{kMainWindow, k打开};
inline constexpr MenuItem 用记事本打开{kMainWindow, k用记事本打开};
inline constexpr MenuItem 保存{kMainWindow, k保存};
inline constexpr MenuItem 另存为{kMainWindow, k另存为};
inline constexpr MenuItem 退出{kMainWindow, k退出};
inline constexpr MenuItem 编辑菜单{kMainWindow, k编辑菜单};
inline constexpr MenuItem 向上插入项{kMainWindow, k向上插入项};
inline constexpr MenuItem 向下插入项{kMainWindow, k向下插入项};
inline constexpr MenuItem 编辑选定项{kMainWindow, k编辑选定项};
inline constexpr MenuItem 恢复当前编辑项{kMainWindow, k恢复当前编辑项};
inline constexpr MenuItem 恢复所有编辑项{kMainWindow, k恢复所有编辑项};
inline constexpr MenuItem 恢复到最初{kMainWindow, k恢复到最初};
inline constexpr MenuItem 删除选定项{kMainWindow, k删除选定项};
inline constexpr MenuItem 工具菜单{kMainWindow, k工具菜单};
inline constexpr MenuItem 查找{kMainWindow, k查找};
inline constexpr MenuItem 提取所有{kMainWindow, k提取所有};
inline constexpr MenuItem 提取钩选项{kMainWindow, k提取钩选项};
inline constexpr MenuItem 提取目录树{kMainWindow, k提取目录树};
inline constexpr MenuItem 帮助菜单{kMainWindow, k帮助菜单};
inline constexpr MenuItem 关于{kMainWindow, k关于};

}  // namespace MainWindow

namespace SearchWindow {

inline constexpr Window window{kSearchWindow};

enum ControlId {
  k标签1 = 20,
  k编辑框1,
  k分组框1,
  k向上,
  k向下,
  k查找下一个,
  k取消,
};

inline constexpr Control 标签1{kSearchWindow, k标签1};
inline constexpr EditBox 编辑框1{kSearchWindow, k编辑框1};
inline constexpr Control 分组框1{kSearchWindow, k分组框1};
inline constexpr RadioBox 向上{kSearchWindow, k向上};
inline constexpr RadioBox 向下{kSearchWindow, k向下};
inline constexpr Control 查找下一个{kSearchWindow, k查找下一个};
inline constexpr Control 取消{kSearchWindow, k取消};

}  // namespace SearchWindow

namespace AboutWindow {

inline constexpr Window window{kAboutWindow};

enum ControlId {
  k标签1 = 20,
  k图片框1,
  k透明标签1,
};

inline constexpr Control 标签1{kAboutWindow, k标签1};
inline constexpr Control 图片框1{kAboutWindow, k图片框1};
inline constexpr Control 透明标签1{kAboutWindow, k透明标签1};

}  // namespace AboutWindow
