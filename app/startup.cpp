#include "app/startup.h"

#include "app/orvel.h"
#include "app/splash.h"
#include "app/texts.h"
#include "toolkit/application.h"

#include <thread>

namespace app {

std::unique_ptr<TOrvelform> startUp(toolkit::Application& application)
{
    auto* splash = new TSplashWindow;
    splash->showCentred();
    splash->activate();
    splash->paintNow();
    application.setTitle(texts::kApplicationTitle);
    auto main = std::make_unique<TOrvelform>(application.exeDir());
    main->showCentred();
    main->focus(main->FileEdit);
    main->activate();
    return main;
}

bool activated(const TOrvelform& main)
{
    return !main.CaptionBase.empty();
}

bool waitUntilActivated(toolkit::Application& application, const TOrvelform& main,
                        std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    application.processEvents();
    while (!activated(main) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        application.processEvents();
    }
    return activated(main);
}

} // namespace app

void TOrvelform::FormCreate()
{
    CaptionBase = text() + " - ";
    TotalPoints = 0;
    Attempt = 1;
    BookLines.clear();
    for (int k = 1; k <= 5; ++k)
        slot(k).setText("");
}
