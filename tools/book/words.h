#pragma once

#include "tools/book/diagnostics.h"
#include "tools/book/draft.h"
#include "tools/book/sheet.h"
#include "tools/book/table.h"

#include <cstdint>
#include <optional>
#include <vector>

// Vocabulary books from a list of words: each question asks one word, with
// four wrong choices drawn from the other words of the list.
namespace booktool {

struct Word {
    BookLine english;
    BookLine japanese;
    BookLine partOfSpeech; // may be empty
};

// A word list sheet: title and heading rows as a book's sheet has them,
// then an optional row of names ("english", "japanese", "part of speech";
// or 英語, 日本語, 品詞), then one word a row. Without names the columns are
// A English, B Japanese, C part of speech.
struct WordList {
    HeadRows head;
    std::vector<Word> words;
};
std::optional<WordList> wordsFromTable(const Table& table, Diagnostics& diagnostics);

enum class Direction { ToJapanese, ToEnglish };

// The heading a vocabulary book gets unless one is given: "英語の意味を選び
// なさい。" or "日本語の意味を表す英語を選びなさい。", in code page 932.
std::string defaultHeading(Direction direction);

// The book: one question a word, in list order. The word asked is on the
// first question line and its part of speech, in brackets, on the second
// (a long-line book has both on its question line). The right choice is
// the word's meaning; the four wrong ones are meanings of other words, of
// the same part of speech as far as the list has them, never one that a
// word spelt the same has, drawn by a generator seeded with seed, so that
// the same list and seed make the same book. nullopt after an error: a
// list with fewer than five different meanings, or a word that cannot get
// four wrong ones.
std::optional<Draft> vocabularyBook(const std::vector<Word>& words, book::Layout layout, Direction direction,
                                    std::uint32_t seed, const Head& head, Diagnostics& diagnostics);

} // namespace booktool
