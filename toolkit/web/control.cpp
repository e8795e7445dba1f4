#include "toolkit/control.h"

#include "toolkit/form.h"
#include "toolkit/textlines.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

#include <algorithm>

namespace toolkit {

namespace {

// Text as an element shows it: each of its lines cut as any box's line is
// (a line of millions would hold the page up), the breaks kept.
std::string shownLines(const std::string& text)
{
    if (shownLength(text) == text.size())
        return text;
    std::string shown;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        shown.append(text, start, shownLength(std::string_view(text).substr(start, end - start)));
        if (end < text.size())
            shown += text[end];
        start = end + 1;
    }
    return shown;
}

} // namespace

void showTextOnPage(const Control& control, const std::string& text)
{
    page_set_text(idOf(control), shownLines(text).c_str());
}

Control::Control(Control* parent, std::string name, std::unique_ptr<Native> native)
    : name_(std::move(name)), parent_(parent), native_(std::move(native))
{
    registerControl(native_->id, this);
    page_set_name(native_->id, name_.c_str());
    if (parent_)
        form().adopt(*this);
}

Control::~Control()
{
    forgetControl(native_->id);
    // A window's controls die before the window, which takes their elements
    // with it.
    if (parent_)
        page_destroy(native_->id);
}

void Control::setButtonNumber(int number)
{
    buttonNumber_ = number;
    showAccessibleName();
}

void Control::showAccessibleName()
{
    std::string name;
    if (buttonNumber_ != 0 && !text_.empty())
        name = std::to_string(buttonNumber_) + ": " + text_;
    else
        name = namedByCaption() && !text_.empty() ? text_ : role_.empty() ? text_ : role_;
    native_->accessibleName = name;
    page_set_accessible(native_->id, shownLines(name).c_str(), hint_.c_str(), buttonNumber_ != 0);
}

std::string Control::accessibleName() const
{
    return native_->accessibleName;
}

std::string Control::accessibleDescription() const
{
    return hint_;
}

void Control::showColors()
{
    page_set_colors(native_->id, page::rgb(color_), page::rgb(fontColor_));
    page_set_opaque(native_->id, opaque_);
    colorsShown_ = true;
}

void Control::setFont(const Font& font)
{
    page_set_font(native_->id, font.face.c_str(), font.pixelSize, font.bold, font.italic, font.underline);
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    page_set_visible(native_->id, visible);
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    page_set_enabled(native_->id, enabled);
}

void Control::setBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    page_set_bounds(native_->id, left, top, std::max(width, 0), std::max(height, 0));
}

void Control::setHint(const std::string& hint)
{
    hint_ = hint;
    page_set_hint(native_->id, hint.c_str());
    page_set_accessible(native_->id, shownLines(native_->accessibleName).c_str(), hint_.c_str(), buttonNumber_ != 0);
}

void Control::setHandPointer()
{
    page_set_hand_pointer(native_->id);
}

void Control::bringToFront()
{
    page_bring_to_front(native_->id);
}

void Control::sendToBack()
{
    page_send_to_back(native_->id);
}

} // namespace toolkit
