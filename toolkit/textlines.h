#pragma once

// Private to the toolkit: a multi-line box's text as lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// The text lines of a box: CR LF, CR and LF each end a line; a break at the
// end leaves an empty last line, and an empty text has no lines.
std::vector<std::string> textLines(const std::string& text);

// How much of one line of text the window system is handed. No box shows
// more than a few dozen characters of a line, and laying out a line of
// millions takes minutes, so at most its first 4096 bytes, cut between two
// UTF-8 characters. What the control holds is not cut.
std::size_t shownLength(std::string_view line);

} // namespace toolkit
