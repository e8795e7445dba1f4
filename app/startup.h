#pragma once

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

} // namespace app
