#pragma once

#include "tools/check/check.h"

#include <map>
#include <set>
#include <string>
#include <string_view>

// What the checker says about books taken together: questions that repeat
// one another, and the counts of a library.
namespace check {

// A question text reduced to what tells questions apart: Latin letters in
// lower case, digits and other characters as they are; blanks, punctuation,
// the full-width symbol row and answer blanks such as "(   )" or "( 2 )" are
// dropped. Code page 932 in, code page 932 out.
std::string normalizedText(std::string_view text);

class Library {
public:
    // Takes in a checked book and adds to its report a warning for each
    // question that repeats, or nearly repeats, a question met before in
    // this book or an earlier one.
    void add(const std::string& path, Report& report);

    // The counts: books and questions in all and by category folder, and
    // the distinct English words the vocabulary books ask.
    std::string summary() const;

private:
    struct Seen {
        std::string path;
        int question;
        std::string text; // as written
    };
    struct Tally {
        int books = 0;
        int questions = 0;
        int vocabularyBooks = 0;
        std::set<std::string> words;
    };

    std::map<std::string, Seen> questions_; // by normalised whole text
    std::map<std::string, Seen> lines_;     // by normalised line, English sentences only
    std::map<std::string, Tally> folders_;  // by category folder, "" for any other
    std::set<std::string> toJapanese_;
    std::set<std::string> toEnglish_;
};

} // namespace check
