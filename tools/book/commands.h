#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// piyoran-book's commands, from the words of a command line to an exit
// status: 0 when the file was written (warnings allowed), 1 when the input
// has errors and nothing was written, 2 for a wrong command line, a file
// that cannot be read, or one that cannot or may not be written.
namespace booktool {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace booktool
