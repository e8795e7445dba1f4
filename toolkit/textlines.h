#pragma once

// Private to the toolkit: a multi-line box's text as lines.

#include <string>
#include <vector>

namespace toolkit {

// The text lines of a box: CR LF, CR and LF each end a line; a break at the
// end leaves an empty last line, and an empty text has no lines.
std::vector<std::string> textLines(const std::string& text);

} // namespace toolkit
