// The application apart from the window system: the one instance, its
// title and folder, and which boxes and timers a run uses.

#include "toolkit/application.h"

#include "toolkit/boxes.h"

#include <cassert>

namespace toolkit {

namespace {
Application* theApplication = nullptr;
}

void Application::becomeTheApplication()
{
    assert(!theApplication);
    theApplication = this;
}

void Application::stopBeingTheApplication()
{
    theApplication = nullptr;
}

Application& Application::instance()
{
    assert(theApplication);
    return *theApplication;
}

void Application::setTitle(const std::string& title)
{
    title_ = title;
}

void Application::setExeDir(const std::string& folder)
{
    exeDir_ = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

BoxService& Application::boxes()
{
    return boxService_ ? *boxService_ : windowSystemBoxes();
}

void Application::setBoxService(BoxService* service)
{
    boxService_ = service;
}

} // namespace toolkit
