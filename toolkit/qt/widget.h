#pragma once

// Private to the Qt side of the toolkit: the widget behind a control.

#include "toolkit/control.h"

#include <memory>

class QWidget;

namespace toolkit {

struct Control::Native {
    QWidget* widget;
};

inline std::unique_ptr<Control::Native> nativeWidget(QWidget* widget)
{
    return std::make_unique<Control::Native>(Control::Native{widget});
}

inline QWidget* widgetOf(const Control& control)
{
    return control.native().widget;
}

} // namespace toolkit
