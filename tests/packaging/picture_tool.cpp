// picture-tool: the picture checks of the packaging tests.
//
//   picture-tool icon LOGO ICON SIZE
//       ICON is SIZE x SIZE and shows LOGO stretched to that size without
//       blending: each logo pixel at the centre of its stretched square, and
//       no colour that LOGO does not have.
//   picture-tool compare WxH LOW HIGH [X,Y=RRGGBB]...
//       LOW is W x H, HIGH is 2W x 2H and shows the same window at twice the
//       scale: each pixel of LOW looks like the 2x2 block of HIGH it became
//       (most of them: text is drawn anew at the larger size, not magnified),
//       and every X,Y given has colour RRGGBB in LOW at X,Y and in the whole
//       2x2 block of HIGH at 2X,2Y.
//   picture-tool grab WINDOW OUT.png
//       saves what the X server shows of WINDOW (an id), in screen pixels.
//
// Exit status 0 when the check holds, 1 when it does not (the reason is
// printed), 2 for a wrong command line or an unreadable picture.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 1;

int usage()
{
    std::fprintf(stderr,
                 "usage: picture-tool icon LOGO ICON SIZE\n"
                 "       picture-tool compare WxH LOW HIGH [X,Y=RRGGBB]...\n"
                 "       picture-tool grab WINDOW OUT.png\n");
    return kUsage;
}

bool load(const char* path, QImage& image)
{
    image = QImage(QString::fromLocal8Bit(path));
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return false;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

std::string hex(QRgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", qRed(colour), qGreen(colour), qBlue(colour));
    return text;
}

int channelDistance(QRgb a, int r, int g, int b)
{
    return std::max({std::abs(qRed(a) - r), std::abs(qGreen(a) - g), std::abs(qBlue(a) - b)});
}

int icon(const char* logoPath, const char* iconPath, const char* sizeText)
{
    QImage logo, picture;
    if (!load(logoPath, logo) || !load(iconPath, picture))
        return kUsage;
    const int size = std::atoi(sizeText);
    if (picture.width() != size || picture.height() != size) {
        std::printf("%s is %dx%d, not %dx%d\n", iconPath, picture.width(), picture.height(), size, size);
        return kFailed;
    }
    int wrong = 0;
    // Each logo pixel, stretched to a square of size/32 pixels, shows at
    // the centre of its square.
    const double scale = double(size) / logo.width();
    for (int ly = 0; ly < logo.height(); ++ly)
        for (int lx = 0; lx < logo.width(); ++lx) {
            const int x = int((lx + 0.5) * scale);
            const int y = int((ly + 0.5) * scale);
            if (picture.pixel(x, y) != logo.pixel(lx, ly)) {
                if (wrong < 5)
                    std::printf("the logo at %d,%d is %s, the icon at %d,%d is %s\n", lx, ly,
                                hex(logo.pixel(lx, ly)).c_str(), x, y, hex(picture.pixel(x, y)).c_str());
                ++wrong;
            }
        }
    // Crisp: no colour that the logo does not have (no blending of edges).
    QSet<QRgb> palette;
    for (int ly = 0; ly < logo.height(); ++ly)
        for (int lx = 0; lx < logo.width(); ++lx)
            palette.insert(logo.pixel(lx, ly));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (!palette.contains(picture.pixel(x, y))) {
                if (wrong < 10)
                    std::printf("the icon at %d,%d is %s, a colour the logo does not have\n", x, y,
                                hex(picture.pixel(x, y)).c_str());
                ++wrong;
            }
    if (wrong) {
        std::printf("%s: %d pixels wrong\n", iconPath, wrong);
        return kFailed;
    }
    return 0;
}

struct Probe {
    int x = 0, y = 0;
    QRgb colour = 0;
};

bool parseProbe(const QString& text, Probe& probe)
{
    const QStringList sides = text.split('=');
    if (sides.size() != 2)
        return false;
    const QStringList at = sides[0].split(',');
    bool okX = false, okY = false, okColour = false;
    if (at.size() != 2 || sides[1].size() != 6)
        return false;
    probe.x = at[0].toInt(&okX);
    probe.y = at[1].toInt(&okY);
    probe.colour = sides[1].toUInt(&okColour, 16);
    return okX && okY && okColour;
}

int compare(int argc, char** argv)
{
    const QStringList size = QString::fromLocal8Bit(argv[0]).split('x');
    bool okW = false, okH = false;
    const int width = size.value(0).toInt(&okW);
    const int height = size.value(1).toInt(&okH);
    if (size.size() != 2 || !okW || !okH)
        return usage();
    QImage low, high;
    if (!load(argv[1], low) || !load(argv[2], high))
        return kUsage;
    std::vector<Probe> probes;
    for (int i = 3; i < argc; ++i) {
        Probe probe;
        if (!parseProbe(QString::fromLocal8Bit(argv[i]), probe))
            return usage();
        probes.push_back(probe);
    }

    if (low.width() != width || low.height() != height) {
        std::printf("%s is %dx%d, not %dx%d\n", argv[1], low.width(), low.height(), width, height);
        return kFailed;
    }
    if (high.width() != 2 * width || high.height() != 2 * height) {
        std::printf("%s is %dx%d, not %dx%d\n", argv[2], high.width(), high.height(), 2 * width, 2 * height);
        return kFailed;
    }

    int failures = 0;
    for (const Probe& probe : probes) {
        if (probe.x < 0 || probe.y < 0 || probe.x >= width || probe.y >= height)
            return usage();
        const auto expect = [&](const QImage& image, const char* name, int x, int y) {
            const QRgb seen = image.pixel(x, y);
            if ((seen & 0xFFFFFF) != (probe.colour & 0xFFFFFF)) {
                std::printf("%s at %d,%d is %s, not %s\n", name, x, y, hex(seen).c_str(), hex(probe.colour).c_str());
                ++failures;
            }
        };
        expect(low, argv[1], probe.x, probe.y);
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                expect(high, argv[2], 2 * probe.x + dx, 2 * probe.y + dy);
    }

    // Each pixel of LOW against the average of its 2x2 block in HIGH.
    constexpr int kClose = 48;
    long close = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb p = high.pixel(2 * x + dx, 2 * y + dy);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            if (channelDistance(low.pixel(x, y), r / 4, g / 4, b / 4) <= kClose)
                ++close;
        }
    const double share = 100.0 * close / (double(width) * height);
    std::printf("%.2f%% of the pixels of %s match their 2x2 blocks in %s\n", share, argv[1], argv[2]);
    constexpr double kLeast = 97.0;
    if (share < kLeast) {
        std::printf("fewer than %.0f%%: the two pictures do not show the same window\n", kLeast);
        ++failures;
    }
    return failures ? kFailed : 0;
}

int grab(char* program, const char* windowText, const char* outPath)
{
    bool ok = false;
    const WId window = QString::fromLocal8Bit(windowText).toULongLong(&ok, 0);
    if (!ok)
        return usage();
    // Screen pixels, whatever scale the X server asks applications to use.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_QPA_PLATFORM", "xcb");
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(outPath), "PNG")) {
        std::fprintf(stderr, "cannot grab window %s into %s\n", windowText, outPath);
        return kFailed;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "icon" && argc == 5)
        return icon(argv[2], argv[3], argv[4]);
    if (command == "compare" && argc >= 5)
        return compare(argc - 2, argv + 2);
    if (command == "grab" && argc == 4)
        return grab(argv[0], argv[2], argv[3]);
    return usage();
}
