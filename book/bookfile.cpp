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
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        throw toolkit::fileOpenError(path);
    return bytes;
}

} // namespace book
