#pragma once

// Private to the Qt side of the toolkit: the program's own XPM pictures.

#include <QByteArray>
#include <QImage>

#include <string>

namespace toolkit {

// The picture an XPM file's text describes, or a null picture when the text
// is not a whole XPM. Qt's reader would first load every image-format plugin
// installed to ask whether one of them reads XPM; the strings are handed to
// Qt's own XPM decoder instead.
QImage xpmPicture(const QByteArray& source);

// The XPM picture built into the program under this resource name; raises
// the file error when there is none or it is not whole.
QImage xpmResource(const std::string& resource);

} // namespace toolkit
