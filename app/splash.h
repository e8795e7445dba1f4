#pragma once

#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/image.h"

// The borderless window shown while the main window is being built. It is
// made with new, owned by nobody, and releases itself as soon as another
// window of the program becomes active.
class TSplashWindow : public toolkit::Form {
public:
    TSplashWindow();

    toolkit::Panel Panel1{*this, "Panel1"};
    toolkit::Panel Panel2{Panel1, "Panel2"};
    toolkit::Image Image1{Panel2, "Image1"};
    toolkit::Label Label1{Panel2, "Label1"};
    toolkit::Label Label2{Panel2, "Label2"};
    toolkit::Label Label4{Panel2, "Label4"};
    toolkit::Label Label3{Panel2, "Label3"};

    void FormDeactivate();
};
