#pragma once

#include "toolkit/control.h"

#include <functional>
#include <string>
#include <vector>

namespace toolkit {

// Text drawn on its parent; transparent unless made opaque.
class Label : public Control {
public:
    Label(Control& parent, std::string name);
    void setOpaque(bool opaque);
    void setAlignment(bool centreHorizontally, bool centreVertically);
    void setWordWrap(bool wrap);
    // Sizes the label to its text, as the splash labels do.
    void setAutoSize(bool autoSize);

protected:
    void showText() override;
    bool namedByCaption() const override { return true; }

private:
    bool autoSize_ = false;
};

// A flat button. Buttons of one group keep at most one of them down: a
// learner's click leaves the clicked one down and raises the others, and a
// click on the one that is down raises it.
class SpeedButton : public Control {
public:
    SpeedButton(Control& parent, std::string name);
    void setGroup(int group);
    bool down() const { return down_; }
    void setDown(bool down);
    void learnerClick() override;

protected:
    void showText() override;
    bool namedByCaption() const override { return true; }

private:
    int group_ = 0;
    bool down_ = false;
};

// A push button, or a glyph button (the same to the program). Space or Enter
// on a focused button presses it.
class Button : public Control {
public:
    Button(Control& parent, std::string name);

protected:
    void showText() override;
    bool namedByCaption() const override { return true; }
};

// A one-line box. Read-only unless made editable; an editable box passes
// each typed character key to onKeyPress first, which may change it or set
// it to 0 to swallow it.
class Edit : public Control {
public:
    Edit(Control& parent, std::string name);
    void setEditable(bool editable);
    void setBorder(bool border);
    // A character key pressed in the box: onKeyPress, then typing unless
    // swallowed.
    void typeKey(char key);
    std::function<void(char& key)> onKeyPress;

protected:
    void showText() override;

private:
};

// A read-only multi-line box. Its lines are the text lines between line
// breaks (CR LF, CR or LF); a break at the end leaves an empty last line,
// and an empty box has no lines.
class Memo : public Control {
public:
    Memo(Control& parent, std::string name);
    int lineCount() const;
    std::string line(int index) const;
    // Replaces line index; a line the box does not have is not created.
    void setLine(int index, const std::string& line);
    void setCentred(bool centred);

protected:
    void showText() override;

private:
    // The lines the box's document holds, one block each (an empty box: one
    // empty block), so that showing a new text touches only what changed.
    std::vector<std::string> shown_{std::string()};
};

// A panel; its bevel is only a look.
class Panel : public Control {
public:
    enum class Bevel { None, Raised, Lowered };
    Panel(Control& parent, std::string name);
    void setBevel(Bevel outer, Bevel inner = Bevel::None, int width = 1);
};

} // namespace toolkit
