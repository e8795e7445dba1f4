#pragma once

#include "toolkit/control.h"

#include <string>
#include <string_view>

namespace toolkit {

// A picture box showing a JPEG picture stretched to the box. Loading
// replaces the shown picture only once the new one has been decoded, so a
// failed load leaves the old picture in place.
class Image : public Control {
public:
    Image(Control& parent, std::string name);
    void loadFromFile(const std::string& path);
    void loadFromBytes(std::string_view jpeg);
    // A picture built into the program: JPEG through the same decoder,
    // anything else is an XPM picture (the logo).
    void loadFromResource(const std::string& resource);
    // The size of the picture as decoded (libjpeg may have scaled it down
    // towards the box while decoding).
    int pictureWidth() const;
    int pictureHeight() const;
};

} // namespace toolkit
