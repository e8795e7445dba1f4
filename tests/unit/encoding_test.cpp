// Books saved as UTF-8 are read as the same books in code page 932.

#include "book/cp932.h"
#include "book/encoding.h"
#include "toolkit/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using book::Encoding;

TEST(BookEncoding, TellsUtf8FromCodePage932)
{
    struct Case {
        std::string raw;
        std::string bytes;
        Encoding found;
    };
    const Case cases[] = {
        // A byte order mark is dropped and the rest converted.
        {"\xEF\xBB\xBF\xE3\x81\x82\r\n", "\x82\xA0\r\n", Encoding::Utf8WithBom},
        {"\xEF\xBB\xBFplain\r\n", "plain\r\n", Encoding::Utf8WithBom},
        // UTF-8 that is no code page 932.
        {"\xE3\x81\x82,\xE3\x81\x84", "\x82\xA0,\x82\xA2", Encoding::Utf8},
        // ASCII is the same in both and stays as it is.
        {"a,b\r\nc", "a,b\r\nc", Encoding::Cp932},
        // Code page 932 stays as it is (あ, い).
        {"\x82\xA0,\x82\xA2", "\x82\xA0,\x82\xA2", Encoding::Cp932},
        // Neither: a damaged code page 932 book is left for the byte rules.
        {"\x82\r\n\xFF", "\x82\r\n\xFF", Encoding::Cp932},
        // A mark followed by bytes that are not UTF-8: only the mark goes.
        {"\xEF\xBB\xBF\x82\xA0", "\x82\xA0", Encoding::Cp932},
        // A character code page 932 lacks becomes 〓.
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80", "\x81\xAC", Encoding::Utf8WithBom},
    };
    for (const Case& c : cases) {
        const book::BookText text = book::toCp932Book(c.raw);
        EXPECT_EQ(text.bytes, c.bytes) << c.raw;
        EXPECT_EQ(text.found, c.found) << c.raw;
    }
}

TEST(BookEncoding, EveryBundledBookSavedAsUtf8ReadsBackByteForByte)
{
    int books = 0;
    for (const auto& folder : fs::directory_iterator(PIYORAN_SOURCE_DIR "/data")) {
        if (!folder.is_directory() || folder.path().filename() == "image")
            continue;
        for (const auto& file : fs::directory_iterator(folder.path())) {
            const std::string original = toolkit::readFile(file.path().string());
            const book::BookText asIs = book::toCp932Book(original);
            EXPECT_EQ(asIs.found, Encoding::Cp932) << file.path();
            EXPECT_EQ(asIs.bytes, original) << file.path();

            const std::string utf8 = book::decodeCp932(original);
            const book::BookText withoutMark = book::toCp932Book(utf8);
            EXPECT_EQ(withoutMark.bytes, original) << file.path();
            EXPECT_EQ(withoutMark.found, Encoding::Utf8) << file.path();
            const book::BookText withMark = book::toCp932Book("\xEF\xBB\xBF" + utf8);
            EXPECT_EQ(withMark.bytes, original) << file.path();
            ++books;
        }
    }
    EXPECT_GE(books, 24);
}
