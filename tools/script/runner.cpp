#include "tools/script/runner.h"

#include "app/orvel.h"
#include "drill/right_item.h"
#include "tools/script/targets.h"
#include "toolkit/dispatch.h"

#include <map>
#include <sstream>

namespace script {

namespace {

// Each command with the number of words it takes at least and at most.
const std::map<std::string, std::pair<int, int>> kCommands = {
    {"seed", {1, 1}},   {"answer", {1, 1}}, {"click", {1, 1}},  {"invoke", {1, 1}},
    {"hover", {3, 3}},  {"type", {1, 999}}, {"key", {2, 2}},    {"choose", {1, 999}},
    {"tick", {1, 2}},   {"pick", {1, 1}},   {"expect", {1, 999}}, {"watch", {1, 1}},
    {"show", {1, 1}},   {"snapshot", {1, 1}}, {"close", {0, 0}},  {"press", {1, 1}},
};

std::string trimLeft(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default: out += '\\'; out += text[i]; break;
        }
    }
    return out;
}

std::string escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

bool parseInteger(const std::string& text, long long& value)
{
    if (text.empty())
        return false;
    try {
        std::size_t used = 0;
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        value = std::stoll(text, &used, hex ? 16 : 10);
        return used == text.size();
    } catch (const std::exception&) {
        return false;
    }
}

bool sameValue(const std::string& actual, const std::string& expected)
{
    long long a = 0, e = 0;
    if (parseInteger(actual, a) && parseInteger(expected, e))
        return a == e;
    return actual == expected;
}

} // namespace

bool parseScript(std::istream& in, std::vector<Line>& lines, std::ostream& err)
{
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        const std::string trimmed = trimLeft(text);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        Line line;
        line.number = number;
        std::istringstream words(trimmed);
        words >> line.command;
        for (std::string word; words >> word;)
            line.words.push_back(word);
        const std::size_t after = trimmed.find_first_of(" \t");
        line.rest = after == std::string::npos ? std::string() : trimLeft(trimmed.substr(after));
        const auto known = kCommands.find(line.command);
        if (known == kCommands.end()) {
            err << "line " << number << ": unknown command '" << line.command << "'\n";
            return false;
        }
        const int count = static_cast<int>(line.words.size());
        if (count < known->second.first || count > known->second.second) {
            err << "line " << number << ": wrong number of words for '" << line.command << "'\n";
            return false;
        }
        lines.push_back(std::move(line));
    }
    return true;
}

Runner::Runner(TOrvelform& form, ScriptedBoxes& boxes, std::ostream& out)
    : form_(form), boxes_(boxes), out_(out)
{
    boxes_.watch = [this] {
        std::map<std::string, std::string> values;
        for (const std::string& target : watched_) {
            try {
                values[target] = readTarget(form_, target).value_or("(no such target)");
            } catch (const std::exception& error) {
                values[target] = error.what();
            }
        }
        return values;
    };
}

ExitCode Runner::run(const std::vector<Line>& lines)
{
    for (const Line& line : lines) {
        std::string failure;
        try {
            failure = execute(line);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        if (failure.empty() && boxes_.unanswered())
            failure = "a confirmation box appeared with no answer queued";
        if (!failure.empty()) {
            out_ << "line " << line.number << ": " << line.command << ' ' << line.rest
                 << "\n  failed: " << failure << '\n';
            return kFailed;
        }
    }
    return kHeld;
}

std::string Runner::execute(const Line& line)
{
    const std::string& command = line.command;
    const auto& words = line.words;
    if (command == "seed") {
        long long seed = 0;
        if (!parseInteger(words[0], seed))
            return "not a number: " + words[0];
        form_.Randomizer.fixNextSeed(static_cast<std::uint32_t>(seed));
        return {};
    }
    if (command == "answer") {
        const std::map<std::string, int> answers = {
            {"yes", toolkit::mrYes}, {"no", toolkit::mrNo}, {"cancel", toolkit::mrCancel}, {"close", toolkit::mrCancel}};
        const auto found = answers.find(words[0]);
        if (found == answers.end())
            return "answer takes yes, no, cancel or close";
        boxes_.queueAnswer(found->second);
        return {};
    }
    if (command == "click")
        return click(words[0]);
    if (command == "invoke")
        return invoke(words[0]);
    if (command == "hover")
        return hover(line);
    if (command == "type" || command == "key") {
        auto* edit = dynamic_cast<toolkit::Edit*>(form_.findControl(words[0]));
        if (!edit)
            return "no box named " + words[0];
        if (command == "type") {
            edit->setText(unescape(trimLeft(line.rest.substr(words[0].size()))));
            return {};
        }
        long long code = 0;
        if (!parseInteger(words[1], code) || code < 1 || code > 127)
            return "a key code is 1 to 127";
        edit->typeKey(static_cast<char>(code));
        return {};
    }
    if (command == "press")
        return form_.pressShortcut(words[0]) ? std::string() : "no key " + words[0] + " in the window";
    if (command == "choose")
        return choose(line.rest);
    if (command == "tick")
        return tick(line);
    if (command == "pick")
        return pick(words[0]);
    if (command == "expect")
        return expect(line);
    if (command == "watch") {
        if (!readTarget(form_, words[0]))
            return "no such target: " + words[0];
        watched_.push_back(words[0]);
        return {};
    }
    if (command == "show") {
        const auto value = readTarget(form_, words[0]);
        if (!value)
            return "no such target: " + words[0];
        out_ << words[0] << " = " << escape(*value) << '\n';
        return {};
    }
    if (command == "snapshot")
        return form_.savePicture(words[0]) ? std::string() : "cannot save " + words[0];
    if (command == "close") {
        form_.close();
        return {};
    }
    return "unknown command";
}

std::string Runner::click(const std::string& name)
{
    toolkit::Control* control = form_.findControl(name);
    if (!control)
        return "no control named " + name;
    if (!control->reachable())
        return name + " cannot be clicked: it or a parent is hidden or disabled";
    control->learnerClick();
    return {};
}

std::string Runner::invoke(const std::string& name)
{
    toolkit::Control* control = form_.findControl(name);
    if (!control)
        return "no control named " + name;
    toolkit::dispatch([control] { control->click(); });
    return {};
}

std::string Runner::hover(const Line& line)
{
    const std::string& name = line.words[0];
    long long x = 0, y = 0;
    if (!parseInteger(line.words[1], x) || !parseInteger(line.words[2], y))
        return "hover takes a control and two numbers";
    toolkit::Control* control = form_.findControl(name);
    if (!control)
        return "no control named " + name;
    if (!control->reachable())
        return name + " is hidden or disabled";
    control->pointerMoved(static_cast<int>(x), static_cast<int>(y));
    return {};
}

std::string Runner::choose(const std::string& file)
{
    toolkit::FileListBox& list = form_.FileListBox1;
    if (!list.reachable())
        return "the book list is not shown";
    for (int i = 0; i < list.itemCount(); ++i) {
        if (list.item(i) != file)
            continue;
        // Hover the row where the list shows it now: the list may have
        // scrolled. A row out of view is brought into it first, as the
        // arrow keys do.
        const auto rowInView = [&list, i]() -> int {
            constexpr int row = toolkit::FileListBox::kRowHeight;
            for (int y = row / 2; y < list.height(); y += row)
                if (list.itemAtPos(4, y) == i)
                    return y;
            return -1;
        };
        int y = rowInView();
        if (y < 0) {
            list.setItemIndex(i);
            y = rowInView();
        }
        if (y < 0)
            return "the book list cannot show " + file;
        list.pointerMoved(4, y);
        list.learnerClick();
        return {};
    }
    return "the book list does not show " + file;
}

std::string Runner::tick(const Line& line)
{
    toolkit::Timer* timer = line.words[0] == "Timer1" ? &form_.Timer1
                            : line.words[0] == "Timer4" ? &form_.Timer4
                                                        : nullptr;
    if (!timer)
        return "no timer named " + line.words[0];
    long long count = 1;
    if (line.words.size() > 1 && (!parseInteger(line.words[1], count) || count < 0))
        return "tick takes a count";
    for (long long i = 0; i < count; ++i)
        timer->fire();
    return {};
}

std::string Runner::pick(const std::string& which)
{
    if (which != "right" && which != "wrong")
        return "pick takes right or wrong";
    if (const auto k = drill::slotShowing(form_, which == "right"))
        return click(form_.slot(*k).name());
    return "no choice slot shows a " + which + " item";
}

std::string Runner::expect(const Line& line)
{
    const auto& words = line.words;
    if (words[0] == "box")
        return expectBox(line);
    if (words[0] == "no" && words.size() == 2 && words[1] == "box") {
        auto& shown = boxes_.shown();
        if (boxes_.nextUnexpected() < shown.size())
            return "a box was not expected: " + shown[boxes_.nextUnexpected()].kind + ": "
                   + escape(shown[boxes_.nextUnexpected()].text);
        return {};
    }
    const std::size_t equals = line.rest.find(" = ");
    const bool endsInEquals = line.rest.size() >= 2 && line.rest.compare(line.rest.size() - 2, 2, " =") == 0;
    if (equals == std::string::npos && !endsInEquals)
        return "expect takes TARGET = VALUE";
    const std::string left = line.rest.substr(0, equals == std::string::npos ? line.rest.size() - 2 : equals);
    const std::string value = equals == std::string::npos ? std::string() : unescape(line.rest.substr(equals + 3));
    if (left.rfind("watched ", 0) == 0) {
        const std::string target = trimLeft(left.substr(8));
        if (!lastMatched_)
            return "no box has been expected yet";
        const ShownBox& box = boxes_.shown()[*lastMatched_];
        const auto found = box.watched.find(target);
        if (found == box.watched.end())
            return target + " was not watched when that box appeared";
        return expectValue(target, value, &found->second);
    }
    return expectValue(left, value, nullptr);
}

std::string Runner::expectValue(const std::string& target, const std::string& expected,
                                const std::string* recorded)
{
    std::string actual;
    if (recorded) {
        actual = *recorded;
    } else {
        const auto value = readTarget(form_, target);
        if (!value)
            return "no such target: " + target;
        actual = *value;
    }
    if (sameValue(actual, expected))
        return {};
    return target + " is '" + escape(actual) + "', expected '" + escape(expected) + "'";
}

std::string Runner::expectBox(const Line& line)
{
    if (line.words.size() < 2)
        return "expect box takes a kind";
    const std::string& kind = line.words[1];
    if (kind != "info" && kind != "confirm" && kind != "error")
        return "a box is info, confirm or error";
    auto& shown = boxes_.shown();
    std::size_t& next = boxes_.nextUnexpected();
    if (next >= shown.size())
        return "no " + kind + " box appeared";
    const ShownBox& box = shown[next];
    if (box.kind != kind)
        return "the next box was " + box.kind + ": " + escape(box.text);
    // The text, when given, starts after "box KIND ".
    const std::size_t at = line.rest.find(kind) + kind.size();
    const std::string text = unescape(trimLeft(line.rest.substr(at)));
    const bool textGiven = line.words.size() > 2;
    if (textGiven && box.text != text)
        return "the " + kind + " box said '" + escape(box.text) + "', expected '" + escape(text) + "'";
    lastMatched_ = next++;
    return {};
}

} // namespace script
