#pragma once

#include <chrono>
#include <memory>

class TOrvelform;

namespace toolkit {
class Application;
}

namespace app {

// Shows and paints the splash, names the application, and creates and
// shows the main window with the keyboard focus in FileEdit. The main
// window's activation then releases the splash and prepares the run state.
std::unique_ptr<TOrvelform> startUp(toolkit::Application& application);

// Whether the main window's activation (FormCreate) has run: it sets the
// caption base.
bool activated(const TOrvelform& main);

// Handles events until the main window has been activated, for at most
// `limit`, and says whether it was. A window manager or compositor
// activates it a moment after it is shown; the tools that drive the window
// as a learner would start, as a learner does, once it is active.
bool waitUntilActivated(toolkit::Application& application, const TOrvelform& main,
                        std::chrono::milliseconds limit);

} // namespace app
