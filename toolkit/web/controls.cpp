#include "toolkit/controls.h"

#include "toolkit/form.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

namespace toolkit {

// ---- Label

Label::Label(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("label", parent))
{
    opaque_ = false;
}

void Label::setOpaque(bool opaque)
{
    opaque_ = opaque;
    showColors();
}

void Label::setAlignment(bool centreHorizontally, bool centreVertically)
{
    // The page takes the three together.
    Native& shown = native();
    shown.centreH = centreHorizontally;
    shown.centreV = centreVertically;
    page_set_label_layout(idOf(*this), shown.centreH, shown.centreV, shown.wrap);
}

void Label::setWordWrap(bool wrap)
{
    Native& shown = native();
    shown.wrap = wrap;
    page_set_label_layout(idOf(*this), shown.centreH, shown.centreV, shown.wrap);
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    page_set_auto_size(idOf(*this), autoSize);
    showText();
}

void Label::showText()
{
    showTextOnPage(*this, text());
    if (autoSize_) {
        const int packed = page_measure(idOf(*this));
        setBounds(left(), top(), packed >> 16, packed & 0xFFFF);
    }
}

// ---- SpeedButton

SpeedButton::SpeedButton(Control& parent, std::string name)
    : Control(&parent, std::move(name), pageElement("speedbutton", parent))
{
    opaque_ = false;
}

void SpeedButton::setGroup(int group)
{
    group_ = group;
}

void SpeedButton::setDown(bool down)
{
    down_ = down;
    page_set_down(idOf(*this), down);
}

void SpeedButton::showText()
{
    showTextOnPage(*this, text());
}

// ---- Button

Button::Button(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("button", parent))
{
}

void Button::showText()
{
    showTextOnPage(*this, text());
}

// ---- Edit

Edit::Edit(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("edit", parent)) {}

void Edit::setEditable(bool editable)
{
    page_set_editable(idOf(*this), editable);
}

void Edit::setBorder(bool border)
{
    page_set_border(idOf(*this), border);
}

void Edit::showText()
{
    showTextOnPage(*this, text());
}

// ---- Memo

Memo::Memo(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("memo", parent)) {}

void Memo::setCentred(bool centred)
{
    page_set_centred(idOf(*this), centred);
}

void Memo::showText()
{
    // The page breaks the lines and keeps the newest in view.
    showTextOnPage(*this, text());
}

// ---- Panel

Panel::Panel(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("panel", parent)) {}

void Panel::setBevel(Bevel outer, Bevel inner, int width)
{
    page_set_bevel(idOf(*this), static_cast<int>(outer), static_cast<int>(inner), width);
}

} // namespace toolkit
