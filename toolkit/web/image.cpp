#include "toolkit/image.h"

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/files.h"
#include "toolkit/jpegrefusals.h"
#include "toolkit/web/jpegcheck.h"
#include "toolkit/web/native.h"
#include "toolkit/web/page.h"

#include <map>

namespace toolkit {

namespace {

// What the page answers for a picture it could not decode.
constexpr int kUnreadable = 0;
constexpr int kTooLarge = -1;

// The size each picture box shows its picture at, by element.
struct Shown {
    int width = 0;
    int height = 0;
};
std::map<int, Shown>& shownSizes()
{
    static std::map<int, Shown> sizes;
    return sizes;
}

int showOnPage(const Image& image, std::string_view bytes, bool anyFormat)
{
    return page_show_picture(idOf(image), reinterpret_cast<const unsigned char*>(bytes.data()),
                             static_cast<int>(bytes.size()), anyFormat);
}

} // namespace

Image::Image(Control& parent, std::string name) : Control(&parent, std::move(name), pageElement("image", parent)) {}

void Image::loadFromFile(const std::string& path)
{
    loadFromBytes(readFile(path));
}

void Image::loadFromBytes(std::string_view jpeg)
{
    // What the desktop's decoder refuses is refused here in its words,
    // before the page decodes; what only the browser finds wrong is refused
    // after.
    const JpegSize whole = checkJpeg(jpeg);
    const int shown = showOnPage(*this, jpeg, false);
    if (shown == kTooLarge)
        throw tooLargeJpeg(whole.width, whole.height);
    if (shown == kUnreadable)
        throw unreadableJpeg("Unsupported JPEG data");
    const JpegSize decoded = scaledForBox(whole, width(), height());
    shownSizes()[idOf(*this)] = {int(decoded.width), int(decoded.height)};
}

void Image::loadFromResource(const std::string& resource)
{
    // The pictures the desktop has built in are files of the site: the JPEG
    // as it is, the logo drawn as a PNG of the same name.
    constexpr std::string_view kPrefix = ":/piyoran/";
    if (resource.compare(0, kPrefix.size(), kPrefix) != 0)
        throw fileOpenError(resource);
    const std::string name = resource.substr(kPrefix.size());
    const bool jpeg = name.size() >= 4 && name.compare(name.size() - 4, 4, ".jpg") == 0;
    const std::string file = Application::instance().exeDir() + "resources/"
                             + (jpeg ? name : name.substr(0, name.rfind('.')) + ".png");
    std::string bytes;
    try {
        bytes = readFile(file);
    } catch (const Error&) {
        throw fileOpenError(resource);
    }
    if (jpeg) {
        loadFromBytes(bytes);
        return;
    }
    const int shown = showOnPage(*this, bytes, true);
    if (shown <= 0)
        throw fileOpenError(resource);
    shownSizes()[idOf(*this)] = {shown >> 16, shown & 0xFFFF};
}

int Image::pictureWidth() const
{
    return shownSizes()[idOf(*this)].width;
}

int Image::pictureHeight() const
{
    return shownSizes()[idOf(*this)].height;
}

} // namespace toolkit
