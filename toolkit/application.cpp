#include "toolkit/application.h"

#include "toolkit/accessible.h"
#include "toolkit/font.h"
#include "toolkit/qtbridge.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

#include <cassert>

namespace toolkit {

namespace {

Application* theApplication = nullptr;

// The window is designed in these faces; where they are missing, the nearest
// free ones stand in (fontconfig alone would give a Latin face).
void substituteFonts()
{
    QFont::insertSubstitutions(QString::fromUtf8(kPGothic), {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"});
    QFont::insertSubstitutions(QString::fromUtf8(kGothic), {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP"});
    QFont::insertSubstitutions(QString::fromUtf8(kTimes), {"Liberation Serif", "IPAPMincho"});
}

} // namespace

Application::Application(int& argc, char** argv)
{
    assert(!theApplication);
    theApplication = this;
    qt_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    substituteFonts();
    QApplication::setFont(QFont(QString::fromUtf8(kTimes)));
    installScreenReaderFaces();
    exeDir_ = utf8(QCoreApplication::applicationDirPath()) + "/";
}

Application::~Application()
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

int Application::run()
{
    return QApplication::exec();
}

void Application::processEvents()
{
    QApplication::processEvents();
}

} // namespace toolkit
