#include "tools/script/targets.h"

#include "app/orvel.h"
#include "book/cp932.h"
#include "toolkit/application.h"

#include <map>

namespace script {

namespace {

std::string flag(bool value)
{
    return value ? "true" : "false";
}

// "Name[12]" → Name and 12.
bool splitIndex(const std::string& text, std::string& name, int& index)
{
    const std::size_t open = text.find('[');
    if (open == std::string::npos || text.back() != ']')
        return false;
    name = text.substr(0, open);
    try {
        std::size_t used = 0;
        const std::string digits = text.substr(open + 1, text.size() - open - 2);
        index = std::stoi(digits, &used);
        return used == digits.size();
    } catch (const std::exception&) {
        return false;
    }
}

// A list property of a control: LIST.Count, or LIST[i] read through at.
template <typename At>
std::optional<std::string> readList(const std::string& property, const std::string& list, int count, At at)
{
    if (property == list + ".Count")
        return std::to_string(count);
    std::string name;
    int index = 0;
    if (splitIndex(property, name, index) && name == list)
        return std::string(at(index));
    return std::nullopt;
}

std::optional<std::string> readField(TOrvelform& f, const std::string& name)
{
    const std::map<std::string, int*> numbers = {
        {"CurrentPos", &f.CurrentPos},       {"LongLineLayout", &f.LongLineLayout},
        {"Attempt", &f.Attempt},             {"TotalPoints", &f.TotalPoints},
        {"FirstTryHits", &f.FirstTryHits},   {"AnsweredCount", &f.AnsweredCount},
        {"QuestionCount", &f.QuestionCount}, {"KeyStep", &f.KeyStep},
        {"QuestionDone", &f.QuestionDone},   {"MissedThis", &f.MissedThis},
        {"CorrectCount", &f.CorrectCount},   {"FadeSteps", &f.FadeSteps},
        {"FadeLeft", &f.FadeLeft},           {"MissNext", &f.MissNext},
        {"AskedCount", &f.AskedCount},       {"RetryMode", &f.RetryMode},
        {"BookQuestions", &f.BookQuestions},
    };
    if (const auto found = numbers.find(name); found != numbers.end())
        return std::to_string(*found->second);
    if (name == "CaptionBase")
        return f.CaptionBase;
    if (name == "BookLines.Count")
        return std::to_string(f.BookLines.count());
    if (name == "AnswerKey.Count")
        return std::to_string(f.AnswerKey.count());

    std::string array;
    int index = 0;
    if (!splitIndex(name, array, index))
        return std::nullopt;
    if (array == "QuestionOrder")
        return std::to_string(f.QuestionOrder[index]);
    if (array == "ChoiceOrder")
        return std::to_string(f.ChoiceOrder[index]);
    if (array == "MissedList")
        return std::to_string(f.MissedList[index]);
    if (array == "BookLines")
        return book::decodeCp932(f.BookLines[index]);
    if (array == "AnswerKey")
        return book::decodeCp932(f.AnswerKey[index]);
    return std::nullopt;
}

std::optional<std::string> readTimer(const toolkit::Timer& timer, const std::string& property)
{
    if (property == "Interval")
        return std::to_string(timer.interval());
    if (property == "Enabled")
        return flag(timer.enabled());
    return std::nullopt;
}

std::optional<std::string> readProperty(toolkit::Control& control, const std::string& property)
{
    if (property == "Caption" || property == "Text")
        return control.text();
    if (property == "Color")
        return std::to_string(control.color());
    if (property == "FontColor")
        return std::to_string(control.fontColor());
    if (property == "Visible")
        return flag(control.visible());
    if (property == "Enabled")
        return flag(control.enabled());
    if (property == "Left")
        return std::to_string(control.left());
    if (property == "Width")
        return std::to_string(control.width());
    if (property == "Hint")
        return control.hint();
    if (property == "AccessibleName")
        return control.accessibleName();
    if (property == "AccessibleDescription")
        return control.accessibleDescription();
    if (auto* window = dynamic_cast<toolkit::Form*>(&control); window && property == "Closed")
        return flag(window->closed());
    if (auto* button = dynamic_cast<toolkit::SpeedButton*>(&control); button && property == "Down")
        return flag(button->down());
    if (auto* memo = dynamic_cast<toolkit::Memo*>(&control))
        return readList(property, "Lines", memo->lineCount(), [memo](int index) {
            if (index < 0 || index >= memo->lineCount())
                throw toolkit::indexError(index);
            return memo->line(index);
        });
    if (auto* files = dynamic_cast<toolkit::FileListBox*>(&control)) {
        if (property == "ItemIndex")
            return std::to_string(files->itemIndex());
        if (property == "Mask")
            return files->mask();
        if (property == "Directory")
            return files->directory();
        if (property == "FileName")
            return files->fileName();
        return readList(property, "Items", files->itemCount(), [files](int index) { return files->item(index); });
    }
    if (auto* filter = dynamic_cast<toolkit::FilterComboBox*>(&control)) {
        if (property == "ItemIndex")
            return std::to_string(filter->itemIndex());
        return readList(property, "Items", filter->entryCount(),
                        [filter](int index) { return filter->entryName(index); });
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> readTarget(TOrvelform& form, const std::string& target)
{
    if (target == "Application.Title")
        return toolkit::Application::instance().title();
    if (auto field = readField(form, target))
        return field;
    const std::size_t dot = target.find('.');
    if (dot == std::string::npos)
        return std::nullopt;
    const std::string name = target.substr(0, dot);
    const std::string property = target.substr(dot + 1);
    if (name == "Timer1")
        return readTimer(form.Timer1, property);
    if (name == "Timer4")
        return readTimer(form.Timer4, property);
    if (toolkit::Control* control = form.findControl(name))
        return readProperty(*control, property);
    return std::nullopt;
}

} // namespace script
