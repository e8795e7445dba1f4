#pragma once

#include "toolkit/color.h"
#include "toolkit/font.h"

#include <functional>
#include <memory>
#include <string>

namespace toolkit {

class Form;

// What every control has: a caption or text (UTF-8), colours, visibility,
// enabling, place and width, a hint, and click and pointer-move events. The
// control holds its state and shows it on its widget.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    Form& form();

    // Caption or Text: writing a multi-line box replaces its whole content.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    Color color() const { return color_; }
    void setColor(Color color);
    Color fontColor() const { return fontColor_; }
    void setFontColor(Color color);
    void setFont(const Font& font);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    int left() const { return left_; }
    void setLeft(int left);
    int top() const { return top_; }
    int width() const { return width_; }
    void setWidth(int width);
    int height() const { return height_; }
    void setBounds(int left, int top, int width, int height);

    const std::string& hint() const { return hint_; }
    // The hint is also what a screen reader says to describe the control.
    void setHint(const std::string& hint);

    // What a screen reader calls the control: its caption, or its role
    // (such as "選択肢 1") where it has no caption or holds a value.
    void setRole(const std::string& role);
    // Makes the control a button to screen readers and the keyboard, for a
    // box that is picked by clicking it: named by the number and its text
    // ("1: are"), or by its role while it has no text; a screen reader's
    // Press, Enter and Space do what a click does.
    void setButtonNumber(int number);
    int buttonNumber() const { return buttonNumber_; }
    std::string accessibleName() const;
    std::string accessibleDescription() const;
    void setHandPointer();
    // Stacking among the controls of one parent.
    void bringToFront();
    void sendToBack();

    // True when this control and every parent are visible and enabled: a
    // learner can reach it.
    bool reachable() const;

    std::function<void()> onClick;
    std::function<void(int x, int y)> onMouseMove;

    // Runs the click operation from code: hidden or disabled alike, and any
    // error passes up to the event that is being handled.
    void click()
    {
        if (onClick)
            onClick();
    }
    // What a learner's click does: through the event dispatch.
    virtual void learnerClick();
    // Pointer movement at x, y in the control's own pixels, through the
    // event dispatch.
    void pointerMoved(int x, int y);

    // What the window system shows of the control; only the window
    // system's side of the toolkit knows what is inside.
    struct Native;
    Native& native() const { return *native_; }

protected:
    Control(Control* parent, std::string name, std::unique_ptr<Native> native);

    virtual void showText();
    virtual void showColors();
    // Boxes that hold a value are named by their role alone; controls whose
    // caption says what they are, by the caption while they have one.
    virtual bool namedByCaption() const { return false; }
    // Controls drawn on their parent (labels) leave their background alone
    // unless they are opaque.
    bool opaque_ = true;

private:
    std::string name_;
    Control* parent_;
    std::unique_ptr<Native> native_;
    std::string text_;
    Color color_ = 0xFFFFFF;
    Color fontColor_ = 0x000000;
    // The widget's palette shows color_ and fontColor_ (set by showColors).
    bool colorsShown_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string hint_;
    std::string role_;
    int buttonNumber_ = 0;

    void showAccessibleName();
};

} // namespace toolkit
