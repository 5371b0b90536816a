// The operation log and the status line, written by nearly every command.
#pragma once

#include "primitives/text.h"

// Appends "<n>" + text to the log, n counting every entry of the run from 1.
// The text begins with ":" and ends with "\r\n".
void AppendLog(const Text& text);

// Status pane 0 (the selected row) or 1 (the current operation); any other
// pane does nothing.
void SetStatusText(int pane, const Text& text);
