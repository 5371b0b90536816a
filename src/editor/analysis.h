// Turns a file's lines into the three views: the tree of sections, the
// entry list and the target text, keeping the lines for RestoreInitial.
#pragma once

#include "primitives/text_column.h"

// Expects empty views and an empty loadedLines. A line is a section header
// when its last byte is "]"; headers become top-level nodes (image 1), every
// other line a child (image 0) of the last header, or of the first line
// when the file does not begin with a header. The lines end up in
// loadedLines (moved there, not copied).
void AnalyseLines(TextColumn lines);

// Builds the list rows (both columns the node's text, checked unless empty)
// and the target text (every node's text + "\r\n") from the finished tree.
// The tree's node k holds lines.View(k), so the texts are taken from
// `lines` rather than copied back out of the tree one by one.
void FillEntriesFromTree(const TextColumn& lines);

// Image indexes of the tree's image list.
inline constexpr int kLineImage = 0;
inline constexpr int kSectionImage = 1;
