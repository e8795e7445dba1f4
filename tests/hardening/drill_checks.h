#pragma once

// What must hold of the main window between any two events, whatever the
// learner did, and what the hardening tests and the fuzz targets share to
// tell a well-formed book from a malformed one and an error box from another.

#include "book/format.h"

#include <string>
#include <string_view>

class TOrvelform;

namespace hardening {

// True when a file of these bytes, opened as a book in this layout (and
// converted first when it was saved as UTF-8, as the opening does), can be worked
// through from start to end without a range error: it has its two header
// lines, and every question the program will ask (the first 200 complete
// blocks) has five choice lines holding the same number of items, at least
// one. A book without a complete block is well-formed too: the program
// refuses it with a message, not an error.
bool wellFormedBook(std::string_view bytes, book::Layout layout);

// The list's range error, as the error box shows it.
bool isRangeError(const std::string& boxText);
// The file error for path, as the error box shows it.
bool isFileError(const std::string& boxText, const std::string& path);

// The run-state rules that hold after every event. resetSeen: a reset has
// run since the window was made (before that MissNext is still 0).
// positionsKept: nothing has moved the position apart from the count of
// questions asked since the last reset (only the program's own runs of the
// back and advance operations did), so every position shown lies within the
// shuffled part of QuestionOrder. Returns an empty text when everything
// holds, else what does not.
std::string brokenInvariant(TOrvelform& form, bool resetSeen, bool positionsKept = true);

// What must hold right after the reset: the progress timer stopped and the
// counters back at their reset values. Empty when it holds.
std::string brokenAfterReset(TOrvelform& form);

} // namespace hardening
