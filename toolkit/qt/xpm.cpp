#include "toolkit/qt/xpm.h"

#include "toolkit/errors.h"
#include "toolkit/qt/bridge.h"

#include <QFile>
#include <QList>

#include <vector>

namespace toolkit {

namespace {

// The C string literals of the file, in order, outside comments. XPM
// strings hold neither quotes nor escapes.
QList<QByteArray> stringsOf(const QByteArray& source)
{
    QList<QByteArray> strings;
    qsizetype at = 0;
    while (at < source.size()) {
        if (source.mid(at, 2) == "/*") {
            const qsizetype end = source.indexOf("*/", at + 2);
            if (end < 0)
                break;
            at = end + 2;
        } else if (source[at] == '"') {
            const qsizetype end = source.indexOf('"', at + 1);
            if (end < 0)
                break;
            strings.append(source.mid(at + 1, end - at - 1));
            at = end + 1;
        } else {
            ++at;
        }
    }
    return strings;
}

// Whether the strings hold every line their header announces, each pixel
// row as long as it says: Qt's array decoder takes both on trust.
bool whole(const QList<QByteArray>& strings)
{
    if (strings.isEmpty())
        return false;
    const QList<QByteArray> header = strings.front().simplified().split(' ');
    if (header.size() < 4)
        return false;
    bool ok[4] = {};
    const int width = header[0].toInt(&ok[0]);
    const int height = header[1].toInt(&ok[1]);
    const int colours = header[2].toInt(&ok[2]);
    const int perPixel = header[3].toInt(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || width <= 0 || height <= 0 || colours <= 0 || perPixel <= 0
        || width > 1024 || height > 1024 || perPixel > 4 || strings.size() < 1 + colours + height)
        return false;
    for (int row = 0; row < height; ++row)
        if (strings[1 + colours + row].size() < qsizetype(width) * perPixel)
            return false;
    return true;
}

} // namespace

QImage xpmPicture(const QByteArray& source)
{
    const QList<QByteArray> strings = stringsOf(source);
    if (!whole(strings))
        return {};
    std::vector<const char*> lines;
    lines.reserve(static_cast<std::size_t>(strings.size()));
    for (const QByteArray& line : strings)
        lines.push_back(line.constData());
    return QImage(lines.data());
}

QImage xpmResource(const std::string& resource)
{
    QFile file(qs(resource));
    const QImage picture = file.open(QIODevice::ReadOnly) ? xpmPicture(file.readAll()) : QImage();
    if (picture.isNull())
        throw fileOpenError(resource);
    return picture;
}

} // namespace toolkit
