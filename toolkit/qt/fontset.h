#pragma once

// Private to the Qt side of the toolkit: which fonts the program looks at.

namespace toolkit {

// Lets fontconfig see only the folders of the faces the window is drawn in
// (IPA Gothic, IPA P Gothic, Liberation Serif), with the system's and the
// user's rules for drawing them. A desktop has hundreds of fonts, and Qt
// enumerates and sorts all of them before the first window can be drawn,
// for faces the program never uses. Where one of the faces is not found,
// or the user points fontconfig at a configuration of their own, nothing
// changes. Must run before the application object is made.
void lookOnlyAtTheProgramsFaces();

} // namespace toolkit
