#pragma once

#include <string>

namespace book {

// How a book file was written. Books are code page 932; a book saved as
// UTF-8 is converted when it is read, so that every byte rule sees exactly
// what the same book saved in code page 932 would give.
enum class Encoding { Cp932, Utf8WithBom, Utf8 };

struct BookText {
    std::string bytes; // code page 932
    Encoding found = Encoding::Cp932;
};

// A file's bytes as a book in code page 932. A file that starts with a UTF-8
// byte order mark, or that is valid UTF-8 with multi-byte characters and not
// valid code page 932, is converted (a character code page 932 lacks becomes
// "〓"); anything else is taken as it stands.
BookText toCp932Book(std::string raw);

const char* encodingName(Encoding encoding);

} // namespace book
