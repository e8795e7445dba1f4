#pragma once

#include <string>

namespace toolkit {

// The whole content of a file, as bytes. Throws the file error when the
// file cannot be opened or read (a folder included).
std::string readFile(const std::string& path);

} // namespace toolkit
