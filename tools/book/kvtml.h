#pragma once

#include "tools/book/diagnostics.h"
#include "tools/book/words.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The KVTML 2 vocabulary files of the KDE trainers (KWordQuiz, Parley).
namespace booktool {

struct KvtmlLanguage {
    std::string id;
    std::string name;
    std::string locale;
};

struct KvtmlEntry {
    std::string id;
    int line = 0;                             // where the entry starts
    std::map<std::string, std::string> texts; // by language id; UTF-8
};

struct KvtmlDocument {
    std::string title; // UTF-8
    std::vector<KvtmlLanguage> languages;
    std::vector<KvtmlEntry> entries;
    std::map<std::string, std::string> wordTypes; // entry id: the name of its word type
};

// The document in a KVTML 2 file. Nothing outside the bytes is read: no
// DTD and no external entity, and a file that declares entities of its own
// (where an entity bomb or a reference to a file would hide) is refused.
// nullopt after an error, which names the line.
std::optional<KvtmlDocument> readKvtml(std::string_view bytes, Diagnostics& diagnostics);

// The words of a document: the language whose id, locale or name is
// english (by default the one with an English locale or name) and the one
// japanese names (likewise Japanese); a document of exactly two languages
// needs neither. Entries missing either text are passed over with a
// warning. Text is made code page 932 as a sheet's cells are.
std::optional<std::vector<Word>> kvtmlWords(const KvtmlDocument& document, std::string_view english,
                                            std::string_view japanese, bool replace, Diagnostics& diagnostics);

} // namespace booktool
