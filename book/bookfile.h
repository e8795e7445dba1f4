#pragma once

#include <string>

namespace book {

// The whole content of a book file, as bytes. Throws the toolkit's file
// error when the file cannot be opened or read.
std::string readBookFile(const std::string& path);

} // namespace book
