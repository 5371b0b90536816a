// A window with one control of every kind, and a record of the events its
// bindings saw, for the tests that hold both control bodies to one contract.
#pragma once

#include <string>
#include <vector>

#include "primitives/form.h"

namespace contract {

inline constexpr WindowId kWindow = 1;
inline constexpr WindowId kOtherWindow = 2;

enum Id {
  kTree = 1,
  kList,
  kTextView,
  kLog,
  kTab,
  kStatus,
  kTools,
  kSearchBox,
  kUp,
  kDown,
  kButton,
  kLabel,
  kDialog,
  kFileMenu = 100,
  kNewItem,
  kSeparator,
  kOpenItem,
  kEditMenu = 110,
  kFirstEditItem,
  kSecondEditItem,
};

inline const TreeBox tree{kWindow, kTree};
inline const ListView list{kWindow, kList};
inline const EditBox textView{kWindow, kTextView};
inline const ListBox log{kWindow, kLog};
inline const Tab tab{kWindow, kTab};
inline const StatusBar status{kWindow, kStatus};
inline const ToolBar tools{kWindow, kTools};
inline const EditBox searchBox{kWindow, kSearchBox};
inline const RadioBox up{kWindow, kUp};
inline const RadioBox down{kWindow, kDown};
inline const Control button{kWindow, kButton};
inline const Control label{kWindow, kLabel};
inline const CommonDlg dialog{kWindow, kDialog};
inline const Window window{kWindow};

// Every event a binding saw, as "event control argument", in order.
std::vector<std::string>& Events();

// What the next label-edit handler answers, and the text column 0 held
// while it ran.
extern bool editAnswer;
extern Text textDuringEdit;

// The form; `mayClose` is what its close query answers.
Form ContractForm();
Form OtherForm();
extern bool mayClose;

}  // namespace contract
