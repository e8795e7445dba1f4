#include "tools/script/runner.h"

#include "app/orvel.h"
#include "drill/right_item.h"
#include "tools/script/targets.h"
#include "toolkit/dispatch.h"

#include <map>
#include <sstream>

namespace script {

namespace {

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

struct Runner::Command {
    const char* name;
    int leastWords;
    int mostWords;
    std::string (Runner::*run)(const Line&);
};

const Runner::Command* Runner::command(const std::string& name)
{
    constexpr int kAny = 999;
    static const Command commands[] = {
        {"seed", 1, 1, &Runner::seed},
        {"answer", 1, 1, &Runner::answer},
        {"click", 1, 1, &Runner::click},
        {"invoke", 1, 1, &Runner::invoke},
        {"hover", 3, 3, &Runner::hover},
        {"type", 1, kAny, &Runner::type},
        {"key", 2, 2, &Runner::key},
        {"press", 1, 1, &Runner::press},
        {"choose", 1, kAny, &Runner::choose},
        {"tick", 1, 2, &Runner::tick},
        {"pick", 1, 1, &Runner::pick},
        {"expect", 1, kAny, &Runner::expect},
        {"watch", 1, 1, &Runner::watch},
        {"show", 1, 1, &Runner::show},
        {"snapshot", 1, 1, &Runner::snapshot},
        {"close", 0, 0, &Runner::close},
    };
    for (const Command& command : commands)
        if (name == command.name)
            return &command;
    return nullptr;
}

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
        const Runner::Command* known = Runner::command(line.command);
        if (!known) {
            err << "line " << number << ": unknown command '" << line.command << "'\n";
            return false;
        }
        const int count = static_cast<int>(line.words.size());
        if (count < known->leastWords || count > known->mostWords) {
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
            const Command* known = command(line.command);
            failure = known ? (this->*known->run)(line) : "unknown command";
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

std::string Runner::seed(const Line& line)
{
    long long seed = 0;
    if (!parseInteger(line.words[0], seed))
        return "not a number: " + line.words[0];
    form_.Randomizer.fixNextSeed(static_cast<std::uint32_t>(seed));
    return {};
}

std::string Runner::answer(const Line& line)
{
    const std::map<std::string, int> answers = {
        {"yes", toolkit::mrYes}, {"no", toolkit::mrNo}, {"cancel", toolkit::mrCancel}, {"close", toolkit::mrCancel}};
    const auto found = answers.find(line.words[0]);
    if (found == answers.end())
        return "answer takes yes, no, cancel or close";
    boxes_.queueAnswer(found->second);
    return {};
}

std::string Runner::click(const Line& line)
{
    return clickNamed(line.words[0]);
}

std::string Runner::clickNamed(const std::string& name)
{
    toolkit::Control* control = form_.findControl(name);
    if (!control)
        return "no control named " + name;
    if (!control->reachable())
        return name + " cannot be clicked: it or a parent is hidden or disabled";
    control->learnerClick();
    return {};
}

std::string Runner::invoke(const Line& line)
{
    const std::string& name = line.words[0];
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

std::string Runner::type(const Line& line)
{
    auto* edit = dynamic_cast<toolkit::Edit*>(form_.findControl(line.words[0]));
    if (!edit)
        return "no box named " + line.words[0];
    edit->setText(unescape(trimLeft(line.rest.substr(line.words[0].size()))));
    return {};
}

std::string Runner::key(const Line& line)
{
    auto* edit = dynamic_cast<toolkit::Edit*>(form_.findControl(line.words[0]));
    if (!edit)
        return "no box named " + line.words[0];
    long long code = 0;
    if (!parseInteger(line.words[1], code) || code < 1 || code > 127)
        return "a key code is 1 to 127";
    edit->typeKey(static_cast<char>(code));
    return {};
}

std::string Runner::press(const Line& line)
{
    return form_.pressShortcut(line.words[0]) ? std::string() : "no key " + line.words[0] + " in the window";
}

std::string Runner::choose(const Line& line)
{
    const std::string& file = line.rest;
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

std::string Runner::pick(const Line& line)
{
    const std::string& which = line.words[0];
    if (which != "right" && which != "wrong")
        return "pick takes right or wrong";
    if (const auto k = drill::slotShowing(form_, which == "right"))
        return clickNamed(form_.slot(*k).name());
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

std::string Runner::watch(const Line& line)
{
    if (!readTarget(form_, line.words[0]))
        return "no such target: " + line.words[0];
    watched_.push_back(line.words[0]);
    return {};
}

std::string Runner::show(const Line& line)
{
    const auto value = readTarget(form_, line.words[0]);
    if (!value)
        return "no such target: " + line.words[0];
    out_ << line.words[0] << " = " << escape(*value) << '\n';
    return {};
}

std::string Runner::snapshot(const Line& line)
{
    return form_.savePicture(line.words[0]) ? std::string() : "cannot save " + line.words[0];
}

std::string Runner::close(const Line&)
{
    form_.close();
    return {};
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
