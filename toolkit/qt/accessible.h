#pragma once

// Private to the toolkit: which controls a learner can see, and what screen
// readers are shown of them.

class QObject;
class QWidget;

namespace toolkit {

class Control;

// Ties a control's widget to the control, for screen readers to ask.
void attachControl(QWidget* widget, Control* control);

// Whether a learner can see the widget: it and every parent shown, inside
// its parent, and not covered whole by a shown box above it.
bool inSight(QWidget* widget);

// From now on screen readers see the controls as a learner does: a window
// or panel offers only the controls that can be seen in it (shown, inside
// it, not covered by a box above them); flat buttons and numbered boxes are
// buttons whose Press does what a click does; labels and multi-line boxes
// are text to read.
void installScreenReaderFaces();

} // namespace toolkit
