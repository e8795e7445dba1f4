// What a window is apart from the window system: its shortcuts and the
// names of its controls.

#include "toolkit/form.h"

#include "toolkit/dispatch.h"

namespace toolkit {

bool Form::pressShortcut(const std::string& key)
{
    const auto found = shortcuts_.find(key);
    if (found == shortcuts_.end())
        return false;
    dispatch(found->second);
    return true;
}

Control* Form::findControl(const std::string& name) const
{
    if (name == this->name())
        return const_cast<Form*>(this);
    for (Control* control : controls_)
        if (control->name() == name)
            return control;
    return nullptr;
}

} // namespace toolkit
