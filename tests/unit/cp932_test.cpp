#include "book/cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string fffd = "\xEF\xBF\xBD";

// Decodes from a heap block of exactly the input's size, so the address
// sanitizer reports any read past the end.
std::string decodeExact(const std::string& bytes)
{
    auto block = std::make_unique<char[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::memcpy(block.get(), bytes.data(), bytes.size());
    return book::decodeCp932(std::string_view(block.get(), bytes.size()));
}

struct Case {
    std::string input;
    std::string expected;
};

TEST(DecodeCp932, Characters)
{
    const std::vector<Case> cases = {
        {"", ""},
        {"Hello, World", "Hello, World"},
        {"\x5C~", "\\~"},
        {"\x82\xA0", "あ"},
        {"\x83\x5C\x95\x5C", "ソ表"},
        {"a\x82\xA0z", "aあz"},
        {"\xB1\xDF", "ｱﾟ"},
        {"\x87\x40", "①"},
        {"\xFA\x40", "ⅰ"},
        {"\x81\xAC", "〓"},
        {"\x81\x40", "\u3000"},
        {std::string("a\0\x82\xA0", 4), std::string("a\0あ", 5)},
        {std::string(300, 'x') + "\x82\xA0", std::string(300, 'x') + "あ"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeExact(c.input), c.expected) << c.input;
}

TEST(DecodeCp932, BadBytesBecomeReplacementCharacters)
{
    const std::vector<Case> cases = {
        // A lone lead byte at the end.
        {"\x81", fffd},
        {"a\x81", "a" + fffd},
        {"\x82\xA0\x82", "あ" + fffd},
        // A lead byte before a byte that cannot follow it: the next byte is
        // read on its own.
        {"\x81 ", fffd + " "},
        {"\x81\x7F", fffd + "\x7F"},
        {"\x81\xFD", fffd + fffd},
        // Pairs are taken from the front: 0x82 0x82 is "ｂ", then 0xA0 alone.
        {"\x82\x82\xA0", "ｂ" + fffd},
        // Unassigned pairs: both bytes.
        {"\x85\x40", fffd + fffd},
        {"\xEB\x40x", fffd + fffd + "x"},
        // Single bytes that are no character.
        {"\x80", fffd},
        {"\xA0", fffd},
        {"\xFD\xFE\xFF", fffd + fffd + fffd},
        {"\x82\xA0\xFF\x82\xA2", "あ" + fffd + "い"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeExact(c.input), c.expected) << c.input;
}

TEST(DecodeCp932, AsciiReadsTheSameOnBothPaths)
{
    // Every ASCII byte decodes to itself alone and beside a double-byte
    // character, where the converter does the work.
    for (int b = 0; b < 0x80; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(decodeExact(byte), byte) << b;
        EXPECT_EQ(decodeExact(byte + "\x82\xA0"), byte + "あ") << b;
    }
}

TEST(DecodeCp932, EveryPairIsOneCharacterOrTwoReplacements)
{
    // Either a pair is a character, and then encoding it gives a pair that
    // reads as the same character, or it is none and both bytes are lost.
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = decodeExact(pair);
            if (book::isValidCp932(pair)) {
                ++characters;
                EXPECT_NE(text, fffd + fffd) << lead << " " << trail;
                const auto back = book::encodeCp932(text);
                ASSERT_TRUE(back.has_value()) << lead << " " << trail;
                EXPECT_EQ(back->size(), 2u) << lead << " " << trail;
                EXPECT_EQ(decodeExact(*back), text) << lead << " " << trail;
            } else {
                EXPECT_EQ(text, fffd + fffd) << lead << " " << trail;
            }
        }
    }
    // Code page 932 assigns 7,915 double-byte characters plus the user area.
    EXPECT_GT(characters, 7000);
}

TEST(EncodeCp932, Characters)
{
    const std::vector<Case> cases = {
        {"", ""},
        {"plain ASCII, 123", "plain ASCII, 123"},
        {"aあ", "a\x82\xA0"},
        {"ソ表", "\x83\x5C\x95\x5C"},
        {"ｱ", "\xB1"},
        {"〓", "\x81\xAC"},
        {std::string("a\0あ", 5), std::string("a\0\x82\xA0", 4)},
    };
    for (const Case& c : cases) {
        const auto out = book::encodeCp932(c.input);
        ASSERT_TRUE(out.has_value()) << c.input;
        EXPECT_EQ(*out, c.expected) << c.input;
    }
}

TEST(EncodeCp932, MissingCharactersBecomeGeta)
{
    const std::vector<Case> cases = {
        {"€", "\x81\xAC"},
        {"aéb", "a\x81\xAC" "b"},
        {"😀x", "\x81\xAC" "x"},
        {"あ😀😀い", "\x82\xA0\x81\xAC\x81\xAC\x82\xA2"},
        {"\xF4\x8F\xBF\xBF", "\x81\xAC"},
        {"\xE0\xA0\x80", "\x81\xAC"},
    };
    for (const Case& c : cases) {
        const auto out = book::encodeCp932(c.input);
        ASSERT_TRUE(out.has_value()) << c.input;
        EXPECT_EQ(*out, c.expected) << c.input;
    }
    // Where each lacking character stood in the UTF-8 text.
    std::vector<std::size_t> lacking;
    EXPECT_EQ(book::encodeCp932("a\xC3\xA9" "b\xE3\x81\x82\xF0\x9F\x98\x80\xE2\x82\xAC", &lacking),
              std::optional<std::string>("a\x81\xAC" "b\x82\xA0\x81\xAC\x81\xAC"));
    EXPECT_EQ(lacking, (std::vector<std::size_t>{1, 7, 11}));
}

TEST(EncodeCp932, InvalidUtf8GivesNothing)
{
    const std::vector<std::string> cases = {
        "\x80",              // lone continuation byte
        "\xFF",
        "\xC0\xAF",          // overlong "/"
        "\xE0\x80\xAF",      // overlong
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xE3\x81",          // cut short
        "a\xE3\x81\x82\xE3", // cut short after a good character
        "\xE3" "a\x82",      // continuation missing
    };
    for (const std::string& c : cases)
        EXPECT_FALSE(book::encodeCp932(c).has_value()) << c;
}

TEST(IsValidCp932, WholeInput)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", true},
        {"ASCII only", true},
        {std::string("\0", 1), true},
        {"\x82\xA0\x82\xA2", true},
        {"\xB1", true},
        {"\x83\x5C", true},
        {"\x81", false},
        {"a\x81", false},
        {"\x82\xA0\x82", false},
        {"\x81 ", false},
        {"\x85\x40", false},
        {"\x80", false},
        {"\xFF", false},
        {"abc\x82\xA0\xFD", false},
    };
    for (const auto& [input, valid] : cases)
        EXPECT_EQ(book::isValidCp932(input), valid) << input;
}

TEST(Cp932, ThreadsConvertIndependently)
{
    const std::string sjis = "\x82\xA0\x83\x5C\x81";
    const std::string utf8 = "あソ" + fffd;
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                if (book::decodeCp932(sjis) != utf8)
                    ++failures[t];
                if (book::encodeCp932("あソ€") != std::optional<std::string>("\x82\xA0\x83\x5C\x81\xAC"))
                    ++failures[t];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
