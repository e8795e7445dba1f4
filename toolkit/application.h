#pragma once

#include <functional>
#include <memory>
#include <string>

namespace toolkit {

class BoxService;

// The application: its title (the task-bar text and the caption of the
// information and error boxes), the folder of the executable, the boxes and
// timers of the run, and the event loop. There is one.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    static Application& instance();

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);

    // The folder of the running executable, ending in "/". Tests and the
    // scenario runner may point it at another folder.
    const std::string& exeDir() const { return exeDir_; }
    void setExeDir(const std::string& folder);

    // The boxes through which every message reaches the learner: the window
    // system's, unless a test or the scenario runner installs its own
    // answers (nullptr: the window system's again).
    BoxService& boxes();
    void setBoxService(BoxService* service);

    // Under a test or the scenario runner timers never tick by themselves;
    // they are fired by hand.
    bool manualTimers() const { return manualTimers_; }
    void setManualTimers(bool manual) { manualTimers_ = manual; }

    // True while an event's operation is running.
    bool dispatching() const { return dispatchDepth_ > 0; }

    // Runs the event loop until the main window closes.
    int run();
    void processEvents();

    // What the window system keeps for the application.
    struct Native;

private:
    friend void dispatch(const std::function<void()>& operation);
    void becomeTheApplication();
    void stopBeingTheApplication();

    std::unique_ptr<Native> native_;
    std::string title_;
    std::string exeDir_;
    BoxService* boxService_ = nullptr;
    bool manualTimers_ = false;
    int dispatchDepth_ = 0;
};

} // namespace toolkit
