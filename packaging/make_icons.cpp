// make_icons: scales the 32x32 logo of the program up to the sizes of the
// hicolor icon theme, pixel by pixel (nearest neighbour: each pixel takes
// the logo pixel under its centre), so the drawing keeps its hard edges.
//
//   make_icons LOGO.xpm OUTDIR NAME SIZE...
//
// writes OUTDIR/SIZExSIZE/apps/NAME.png for every SIZE.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: make_icons LOGO.xpm OUTDIR NAME SIZE...\n");
        return 2;
    }
    const QImage logo(QString::fromLocal8Bit(argv[1]), "XPM");
    if (logo.isNull()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "make_icons: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage icon(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                icon.setPixel(x, y, logo.pixel((2 * x + 1) * logo.width() / (2 * size),
                                               (2 * y + 1) * logo.height() / (2 * size)));
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString path = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !icon.save(path, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
