// The program's life around the document: the commands available while no
// file is loaded, the main window's created step, its close query and Exit.
#pragma once

// Disables the commands that need a document (menu items and toolbar
// buttons); touches nothing else.
void ApplyIdleCommandState();

// The main window's created event.
void OnMainWindowCreated();
// The main window's may-close query: true lets it close.
bool OnMainWindowMayClose();
// 退出(&E): asks once, then closes the main window without asking again.
void ExitProgram();
