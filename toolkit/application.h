#pragma once

#include <memory>
#include <string>

class QApplication;

namespace toolkit {

// The application: its title (the task-bar text and the caption of the
// information and error boxes), the folder of the executable, and the event
// loop. There is one.
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

    // Runs the event loop until the main window closes.
    int run();
    void processEvents();

private:
    std::unique_ptr<QApplication> qt_;
    std::string title_;
    std::string exeDir_;
};

} // namespace toolkit
