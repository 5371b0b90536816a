// The three windows as data, the layout rule of the main window and the
// toolbar dispatcher.
#pragma once

#include "primitives/form.h"

// The maker's web site, behind the main window's link and the about text.
inline const Text kWebAddress = "https://varnel.example/";

Form MainWindowForm();
Form SearchWindowForm();
Form AboutWindowForm();

// 查找(&F), Ctrl+F, toolbar position 9: the find window, modal.
void OpenSearchWindow();
// 关于(&A): the about window, modal.
void ShowAboutWindow();

// The handler of the main window's size changes: lays the controls out
// for the current client size.
void LayoutMainWindow();

// Runs the command of a toolbar position (separators counted).
void DispatchToolbarButton(int position);
// The menu item whose command a toolbar position runs; 0 for a separator
// or a position the bar does not have.
int ToolbarMenuItem(int position);

// Every (control, event, handler) of the main window: the one place that
// says which procedure an event runs.
std::vector<Binding> MainWindowBindings();
std::vector<Binding> SearchWindowBindings();
std::vector<Binding> AboutWindowBindings();
