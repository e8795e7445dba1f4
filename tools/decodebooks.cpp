// decode-books: prints every line of the books given, as the program reads
// them (the file's encoding found, the lines split and decoded from code
// page 932 to UTF-8), one line of output a book line. Built for the desktop
// and for the browser (run by Node), so a test can hold both to the same
// text.

#include "book/cp932.h"
#include "book/encoding.h"
#include "book/format.h"
#include "toolkit/files.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        try {
            const book::BookText text = book::toCp932Book(toolkit::readFile(argv[i]));
            const auto lines = book::splitLines(text.bytes);
            std::cout << argv[i] << ": " << book::encodingName(text.found) << ", " << lines.size() << " lines\n";
            for (const std::string& line : lines)
                std::cout << book::decodeCp932(line) << '\n';
        } catch (const std::exception& error) {
            std::cerr << argv[i] << ": " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}
