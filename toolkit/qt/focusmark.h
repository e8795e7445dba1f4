#pragma once

// Private to the toolkit: the mark that shows where the keyboard focus is.

class QWidget;

namespace toolkit {

// Marks the control's widget with a ring while it holds the keyboard focus
// in its window, where it can be seen, once the learner has moved the focus
// with Tab; a click that moves the focus takes the mark away again, so
// pointer-only use looks as before.
void markFocus(QWidget* window, QWidget* control);

} // namespace toolkit
