// piyoran-script: plays a scenario against the real main window on Qt's
// offscreen platform, or on the one QT_QPA_PLATFORM names. Exit 0 when
// every line held, 1 at the first line that did not, 2 for an unusable
// script.

#include "app/orvel.h"
#include "app/startup.h"
#include "tools/script/runner.h"
#include "tools/script/scripted_boxes.h"
#include "toolkit/application.h"
#include "toolkit/timer.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {
int usage()
{
    std::cerr << "usage: piyoran-script [--app-dir DIR] SCRIPT\n";
    return script::kUnusable;
}
} // namespace

int main(int argc, char** argv)
{
    std::string appDir;
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--app-dir" && i + 1 < argc)
            appDir = argv[++i];
        else if (scriptPath.empty() && arg.rfind("--", 0) != 0)
            scriptPath = arg;
        else
            return usage();
    }
    if (scriptPath.empty())
        return usage();
    std::ifstream file(scriptPath);
    if (!file) {
        std::cerr << "cannot read " << scriptPath << '\n';
        return script::kUnusable;
    }
    std::vector<script::Line> lines;
    if (!script::parseScript(file, lines, std::cerr))
        return script::kUnusable;

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    toolkit::Application application(qtArgc, argv);
    if (!appDir.empty())
        application.setExeDir(std::filesystem::absolute(appDir).string());
    application.setManualTimers(true);
    script::ScriptedBoxes boxes(std::cout);
    application.setBoxService(&boxes);

    const auto form = app::startUp(application);
    // Where a learner would start; a script whose first lines expect the
    // start values fails there if the window never became active.
    app::waitUntilActivated(application, *form, std::chrono::seconds(20));
    script::Runner runner(*form, boxes, std::cout);
    const script::ExitCode result = runner.run(lines);
    application.setBoxService(nullptr);
    return result;
}
