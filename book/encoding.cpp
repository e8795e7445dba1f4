#include "book/encoding.h"

#include "book/cp932.h"

namespace book {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool hasMultiByte(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

BookText toCp932Book(std::string raw)
{
    if (raw.rfind(kByteOrderMark, 0) == 0) {
        const std::string text = raw.substr(3);
        if (auto converted = encodeCp932(text))
            return {std::move(*converted), Encoding::Utf8WithBom};
        // Not UTF-8 after all: only the mark is dropped.
        return {text, Encoding::Cp932};
    }
    if (hasMultiByte(raw) && isValidUtf8(raw) && !isValidCp932(raw)) {
        if (auto converted = encodeCp932(raw))
            return {std::move(*converted), Encoding::Utf8};
    }
    return {std::move(raw), Encoding::Cp932};
}

const char* encodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8WithBom: return "UTF-8 with byte order mark";
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Cp932: break;
    }
    return "code page 932";
}

} // namespace book
