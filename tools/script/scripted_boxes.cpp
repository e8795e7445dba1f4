#include "tools/script/scripted_boxes.h"

namespace script {

namespace {
// Line breaks shown as escapes, so each box is one transcript line.
std::string oneLine(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}

const char* answerName(int answer)
{
    switch (answer) {
    case toolkit::mrYes: return "yes";
    case toolkit::mrNo: return "no";
    default: return "cancel";
    }
}
} // namespace

ShownBox& ScriptedBoxes::record(const std::string& kind, const std::string& text)
{
    ShownBox box;
    box.kind = kind;
    box.text = text;
    if (watch)
        box.watched = watch();
    shown_.push_back(std::move(box));
    return shown_.back();
}

void ScriptedBoxes::information(const std::string& text)
{
    record("info", text);
    out_ << "info: " << oneLine(text) << '\n';
}

void ScriptedBoxes::error(const std::string& text)
{
    record("error", text);
    out_ << "error: " << oneLine(text) << '\n';
}

int ScriptedBoxes::confirmation(const std::string& text, toolkit::BoxButtons)
{
    ShownBox& box = record("confirm", text);
    if (answers_.empty()) {
        unanswered_ = true;
        box.answer = toolkit::mrCancel;
        out_ << "confirm: " << oneLine(text) << " -> (no answer queued)\n";
        return toolkit::mrCancel;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    box.answer = answer;
    out_ << "confirm: " << oneLine(text) << " -> " << answerName(answer) << '\n';
    return answer;
}

} // namespace script
