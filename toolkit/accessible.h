#pragma once

// Private to the toolkit: what screen readers are shown of the controls.

class QObject;
class QWidget;

namespace toolkit {

class Control;

// Ties a control's widget to the control, for screen readers to ask.
void attachControl(QWidget* widget, Control* control);

// From now on screen readers see the controls as a learner does: a window
// or panel offers only the controls that can be seen in it (shown, inside
// it, not covered by a box above them); flat buttons and numbered boxes are
// buttons whose Press does what a click does; labels and multi-line boxes
// are text to read.
void installScreenReaderFaces();

} // namespace toolkit
