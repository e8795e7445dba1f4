// What the boxes are apart from the window system: a multi-line box's
// lines, and a typed key.

#include "toolkit/controls.h"

#include "toolkit/dispatch.h"
#include "toolkit/form.h"
#include "toolkit/textlines.h"

namespace toolkit {

std::size_t shownLength(std::string_view line)
{
    constexpr std::size_t kShownBytes = 4096;
    if (line.size() <= kShownBytes)
        return line.size();
    std::size_t cut = kShownBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    std::size_t start = 0;
    for (;;) {
        // A plain scan: find_first_of with a set calls memchr for every byte.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end == text.size()) {
            lines.emplace_back(text, start);
            return lines;
        }
        lines.emplace_back(text, start, end - start);
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

void SpeedButton::learnerClick()
{
    if (group_ != 0) {
        const bool wasDown = down_;
        if (parent())
            for (Control* other : form().controls())
                if (auto* sibling = dynamic_cast<SpeedButton*>(other);
                    sibling && sibling != this && sibling->group_ == group_)
                    sibling->setDown(false);
        setDown(!wasDown);
    }
    Control::learnerClick();
}

void Edit::typeKey(char key)
{
    if (onKeyPress)
        dispatch([&] { onKeyPress(key); });
    if (key >= 0x20 && key < 0x7F)
        setText(text() + key);
}

int Memo::lineCount() const
{
    return static_cast<int>(textLines(text()).size());
}

std::string Memo::line(int index) const
{
    const auto lines = textLines(text());
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return {};
    return lines[static_cast<std::size_t>(index)];
}

void Memo::setLine(int index, const std::string& line)
{
    auto lines = textLines(text());
    if (index < 0 || index >= static_cast<int>(lines.size()))
        return;
    lines[static_cast<std::size_t>(index)] = line;
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += lines[i];
    }
    setText(joined);
}

} // namespace toolkit
