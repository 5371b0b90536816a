// New, Open, Save, Save As and Open with Notepad, with the save prompt that
// stands in front of anything that would throw unsaved changes away.
#pragma once

#include "primitives/text.h"

// True when the caller may go on: nothing unsaved, the user said No, or
// said Yes and the save succeeded.
bool AskToSaveChanges();

void NewDocument();
void OpenDocument();
// Writes the text view to `target`, or to the document's own file when
// `target` is empty (asking for a name while the document is untitled).
// True when the file was written.
bool SaveDocument(const Text& target);
// SaveDocument with the empty target: the menu item, Ctrl+S and toolbar
// position 2.
bool SaveOwnFile();
void SaveDocumentAs();
void OpenInNotepad();

// The window titles the file commands set.
inline const Text kUntitled = "无标题";
inline const Text kTitleAfterNew = "Varnel1.0 - 无标题";
inline const Text kTitleAfterOpen = "Varnel-";   // + path
inline const Text kTitleAfterSave = "Varnel1.0-";  // + path
