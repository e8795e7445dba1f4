#include "toolkit/application.h"

#include "toolkit/qt/accessible.h"
#include "toolkit/font.h"
#include "toolkit/qt/bridge.h"
#include "toolkit/qt/fontset.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace toolkit {

namespace {

// The window is designed in these faces; where they are missing, the nearest
// free ones stand in (fontconfig alone would give a Latin face).
void substituteFonts()
{
    QFont::insertSubstitutions(QString::fromUtf8(kPGothic), {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"});
    QFont::insertSubstitutions(QString::fromUtf8(kGothic), {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP"});
    QFont::insertSubstitutions(QString::fromUtf8(kTimes), {"Liberation Serif", "IPAPMincho"});
}

// Without a locale (LANG unset, as in containers and minimal installs) the C
// library's characters are ASCII, and the window system would be handed the
// Japanese window titles as Latin-1 bytes. All text of the program is UTF-8,
// so it keeps the locale's language but takes UTF-8 as its character type.
void useUtf8Characters()
{
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

} // namespace

struct Application::Native {
    QApplication qt;
    Native(int& argc, char** argv) : qt(argc, argv) {}
};

Application::Application(int& argc, char** argv)
{
    becomeTheApplication();
    lookOnlyAtTheProgramsFaces();
    native_ = std::make_unique<Native>(argc, argv);
    // After Qt has taken the locale from the environment, before any window
    // has a title.
    useUtf8Characters();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    substituteFonts();
    QApplication::setFont(QFont(QString::fromUtf8(kTimes)));
    installScreenReaderFaces();
    exeDir_ = utf8(QCoreApplication::applicationDirPath()) + "/";
}

Application::~Application()
{
    native_.reset();
    stopBeingTheApplication();
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
