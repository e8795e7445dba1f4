#include "book/bookfile.h"

#include "toolkit/errors.h"

#include <fstream>
#include <iterator>

namespace book {

std::string readBookFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw toolkit::fileOpenError(path);
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        // A folder opens as a file does and fails only when it is read.
        throw toolkit::fileOpenError(path);
    }
    if (file.bad())
        throw toolkit::fileOpenError(path);
    return bytes;
}

} // namespace book
