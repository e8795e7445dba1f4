#include "toolkit/application.h"

#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

namespace toolkit {

// The page keeps nothing for the application.
struct Application::Native {};

Application::Application(int&, char**)
{
    becomeTheApplication();
    native_ = std::make_unique<Native>();
    // The site's books and pictures are put here before main() runs
    // (web/page/disk.js), laid out as beside the desktop's executable.
    exeDir_ = "/piyoran/";
}

Application::~Application()
{
    native_.reset();
    stopBeingTheApplication();
}

int Application::run()
{
    // A page has no event loop to run: the page calls the program for each
    // event. main() waits here for good, so the windows it made live on.
    page_run_forever();
    return 0;
}

void Application::processEvents()
{
    // The page draws what the controls were told once the program returns
    // to it; what is left to do in between is destroying released windows.
    destroyReleasedWindows();
}

} // namespace toolkit
