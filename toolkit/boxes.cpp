#include "toolkit/boxes.h"

#include "toolkit/application.h"

namespace toolkit {

void showMessage(const std::string& text)
{
    Application::instance().boxes().information(text);
}

int askConfirmation(const std::string& text, BoxButtons buttons)
{
    return Application::instance().boxes().confirmation(text, buttons);
}

void showError(const std::string& text)
{
    Application::instance().boxes().error(text);
}

} // namespace toolkit
