#include "tools/book/kvtml.h"

#include "tools/book/booktext.h"

#include <expat.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace booktool {

namespace {

// Limits far past any vocabulary file, which keep a hostile one from
// taking the memory: the longest text of one element, the deepest nesting
// and the most entries.
constexpr std::size_t kMaxText = 64 * 1024;
constexpr std::size_t kMaxDepth = 64;
constexpr std::size_t kMaxEntries = 10000;

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string attribute(const XML_Char** attributes, std::string_view name)
{
    for (int i = 0; attributes[i]; i += 2)
        if (name == attributes[i])
            return attributes[i + 1];
    return {};
}

// The expat callbacks, with the path of open elements as their state.
class Reader {
public:
    Reader() : parser_(XML_ParserCreate(nullptr))
    {
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, &Reader::onStart, &Reader::onEnd);
        XML_SetCharacterDataHandler(parser_, &Reader::onText);
        // Any entity declared in the file stops the reading, and so does a
        // reference to one that is not declared here (it would be in a DTD,
        // which is never read).
        XML_SetEntityDeclHandler(parser_, &Reader::onEntityDeclaration);
        XML_SetSkippedEntityHandler(parser_, &Reader::onSkippedEntity);
        XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    }
    ~Reader() { XML_ParserFree(parser_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    std::optional<KvtmlDocument> read(std::string_view bytes, Diagnostics& diagnostics)
    {
        if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
            diagnostics.error({}, "the file is too large");
            return std::nullopt;
        }
        const XML_Status status = XML_Parse(parser_, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE);
        const Origin where{static_cast<int>(XML_GetCurrentLineNumber(parser_)), 0, {}, "line"};
        if (!refusal_.empty()) {
            diagnostics.error(where, refusal_);
            return std::nullopt;
        }
        if (status != XML_STATUS_OK) {
            diagnostics.error(where, std::string("not well-formed XML: ") + XML_ErrorString(XML_GetErrorCode(parser_)));
            return std::nullopt;
        }
        if (!sawRoot_) {
            diagnostics.error({}, "not a KVTML file: its outermost element is not <kvtml>");
            return std::nullopt;
        }
        return std::move(document_);
    }

private:
    static Reader& self(void* data) { return *static_cast<Reader*>(data); }

    void stop(std::string why)
    {
        if (refusal_.empty())
            refusal_ = std::move(why);
        XML_StopParser(parser_, XML_FALSE);
    }

    bool at(std::initializer_list<std::string_view> path) const
    {
        return std::equal(path_.begin(), path_.end(), path.begin(), path.end());
    }

    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        Reader& r = self(data);
        if (r.path_.size() >= kMaxDepth)
            return r.stop("elements are nested more than " + std::to_string(kMaxDepth) + " deep");
        r.path_.emplace_back(name);
        r.text_.clear();
        if (r.path_.size() == 1) {
            if (r.path_[0] != "kvtml")
                return r.stop("not a KVTML file: its outermost element is <" + r.path_[0] + ">, not <kvtml>");
            const std::string version = attribute(attributes, "version");
            if (!version.empty() && version[0] != '2')
                return r.stop("KVTML version " + version + " is not read; open the file in KWordQuiz or Parley "
                                                           "and save it again, which writes version 2");
            r.sawRoot_ = true;
        } else if (r.at({"kvtml", "identifiers", "identifier"})) {
            r.document_.languages.push_back({attribute(attributes, "id"), {}, {}});
        } else if (r.at({"kvtml", "entries", "entry"})) {
            if (r.document_.entries.size() >= kMaxEntries)
                return r.stop("more than " + std::to_string(kMaxEntries) + " entries");
            r.document_.entries.push_back(
                {attribute(attributes, "id"), static_cast<int>(XML_GetCurrentLineNumber(r.parser_)), {}});
        } else if (r.at({"kvtml", "entries", "entry", "translation"})) {
            r.translation_ = attribute(attributes, "id");
        } else if (r.path_.size() >= 4 && r.path_[1] == "wordtypes" && r.path_.back() == "entry") {
            // An entry somewhere in a word type, or in one of its subtypes:
            // it is of the outermost type.
            r.typed_.push_back(attribute(attributes, "id"));
        }
    }

    static void XMLCALL onEnd(void* data, const XML_Char*)
    {
        Reader& r = self(data);
        // Expat may still end an empty element after a stop.
        if (!r.refusal_.empty())
            return;
        const std::string text = trimmed(r.text_);
        KvtmlDocument& d = r.document_;
        if (r.at({"kvtml", "information", "title"}))
            d.title = text;
        else if (r.at({"kvtml", "identifiers", "identifier", "name"}) && !d.languages.empty())
            d.languages.back().name = text;
        else if (r.at({"kvtml", "identifiers", "identifier", "locale"}) && !d.languages.empty())
            d.languages.back().locale = text;
        else if (r.at({"kvtml", "entries", "entry", "translation", "text"}) && !d.entries.empty())
            d.entries.back().texts[r.translation_] = text;
        else if (r.at({"kvtml", "wordtypes", "container", "name"}))
            r.typeName_ = text;
        else if (r.at({"kvtml", "wordtypes", "container"})) {
            for (const std::string& id : r.typed_)
                d.wordTypes.emplace(id, r.typeName_);
            r.typed_.clear();
            r.typeName_.clear();
        }
        r.path_.pop_back();
        r.text_.clear();
    }

    static void XMLCALL onText(void* data, const XML_Char* text, int length)
    {
        Reader& r = self(data);
        if (!r.refusal_.empty())
            return;
        if (r.text_.size() + static_cast<std::size_t>(length) > kMaxText)
            return r.stop("an element holds more than " + std::to_string(kMaxText / 1024)
                          + " KiB of text; no word is that long");
        r.text_.append(text, static_cast<std::size_t>(length));
    }

    static void XMLCALL onEntityDeclaration(void* data, const XML_Char* name, int, const XML_Char*, int,
                                            const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
    {
        self(data).stop(std::string("the file declares an entity (\"") + name
                        + "\"), and entities are not read: an entity can make a small file enormous, or "
                          "read another file; KVTML files declare none");
    }

    static void XMLCALL onSkippedEntity(void* data, const XML_Char* name, int)
    {
        self(data).stop(std::string("the entity &") + name + "; is not defined in the file, and no DTD is read");
    }

    XML_Parser parser_;
    std::vector<std::string> path_;
    std::string text_;
    std::string translation_;
    std::string typeName_;
    std::vector<std::string> typed_;
    KvtmlDocument document_;
    bool sawRoot_ = false;
    std::string refusal_;
};

bool startsWithWord(std::string_view text, std::string_view word)
{
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    return text.size() == word.size() || !std::isalpha(static_cast<unsigned char>(text[word.size()]));
}

// The language named by id, locale or name; or, when nothing is named, the
// one whose locale or name says the default; or by its place when there
// are two languages.
const KvtmlLanguage* chooseLanguage(const KvtmlDocument& document, std::string_view named,
                                    std::string_view locale, std::string_view name, std::size_t place)
{
    const auto& languages = document.languages;
    auto found = [&](auto matches) -> const KvtmlLanguage* {
        const auto it = std::find_if(languages.begin(), languages.end(), matches);
        return it == languages.end() ? nullptr : &*it;
    };
    if (!named.empty())
        return found([&](const KvtmlLanguage& l) { return l.id == named || l.locale == named || l.name == named; });
    if (const KvtmlLanguage* language = found([&](const KvtmlLanguage& l) {
            return startsWithWord(l.locale, locale) || startsWithWord(l.name, name);
        }))
        return language;
    return languages.size() == 2 ? &languages[place] : nullptr;
}

} // namespace

std::optional<KvtmlDocument> readKvtml(std::string_view bytes, Diagnostics& diagnostics)
{
    return Reader().read(bytes, diagnostics);
}

std::optional<std::vector<Word>> kvtmlWords(const KvtmlDocument& document, std::string_view english,
                                            std::string_view japanese, bool replace, Diagnostics& diagnostics)
{
    const KvtmlLanguage* asked = chooseLanguage(document, english, "en", "english", 0);
    const KvtmlLanguage* meaning = chooseLanguage(document, japanese, "ja", "japanese", 1);
    if (!asked || !meaning || asked == meaning) {
        std::string list;
        for (const KvtmlLanguage& l : document.languages)
            list += (list.empty() ? "" : ", ") + l.id + " (" + l.name + (l.locale.empty() ? "" : ", " + l.locale) + ")";
        diagnostics.error({}, "choose the two languages with --languages ENGLISH,JAPANESE (each an id, a locale "
                              "or a name); the file has " + (list.empty() ? std::string("none") : list));
        return std::nullopt;
    }

    std::vector<Word> words;
    int skipped = 0;
    for (const KvtmlEntry& entry : document.entries) {
        const auto a = entry.texts.find(asked->id);
        const auto m = entry.texts.find(meaning->id);
        if (a == entry.texts.end() || m == entry.texts.end() || a->second.empty() || m->second.empty()) {
            ++skipped;
            continue;
        }
        const Origin origin{entry.line, 0, "entry " + entry.id, "line"};
        const auto type = document.wordTypes.find(entry.id);
        const auto englishText = fromUtf8(a->second, origin, replace, diagnostics);
        const auto japaneseText = fromUtf8(m->second, origin, replace, diagnostics);
        const auto typeText = type == document.wordTypes.end()
                                  ? std::optional<std::string>("")
                                  : fromUtf8(type->second, origin, replace, diagnostics);
        if (englishText && japaneseText && typeText)
            words.push_back({{*englishText, origin}, {*japaneseText, origin}, {*typeText, origin}});
    }
    if (skipped > 0)
        diagnostics.warning({}, std::to_string(skipped) + (skipped == 1 ? " entry lacks" : " entries lack")
                                    + " a text in " + asked->name + " or " + meaning->name + " and "
                                    + (skipped == 1 ? "is" : "are") + " left out");
    if (diagnostics.hasErrors())
        return std::nullopt;
    return words;
}

} // namespace booktool
