#include "toolkit/image.h"

#include "toolkit/errors.h"
#include "toolkit/files.h"
#include "toolkit/jpeg.h"
#include "toolkit/qt/bridge.h"
#include "toolkit/qt/xpm.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace toolkit {

namespace {

class PictureWidget : public QWidget {
public:
    using QWidget::QWidget;

    void setPicture(QImage picture)
    {
        picture_ = std::move(picture);
        update();
    }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (picture_.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    }

private:
    QImage picture_;
};

PictureWidget* pictureOf(const Image& image)
{
    return static_cast<PictureWidget*>(widgetOf(image));
}

} // namespace

Image::Image(Control& parent, std::string name)
    : Control(&parent, std::move(name), nativeWidget(new PictureWidget(widgetOf(parent))))
{
    new EventBridge(*this, widgetOf(*this), true);
}

void Image::loadFromFile(const std::string& path)
{
    loadFromBytes(readFile(path));
}

void Image::loadFromBytes(std::string_view jpeg)
{
    RgbImage decoded = decodeJpeg(jpeg, width(), height());
    QImage picture(decoded.width, decoded.height, QImage::Format_RGB888);
    for (int row = 0; row < decoded.height; ++row)
        std::copy_n(decoded.pixels.data() + static_cast<std::size_t>(row) * decoded.width * 3,
                    static_cast<std::size_t>(decoded.width) * 3, picture.scanLine(row));
    pictureOf(*this)->setPicture(std::move(picture));
}

void Image::loadFromResource(const std::string& resource)
{
    if (resource.size() < 4 || resource.compare(resource.size() - 4, 4, ".jpg") != 0) {
        pictureOf(*this)->setPicture(xpmResource(resource).convertToFormat(QImage::Format_RGB888));
        return;
    }
    QFile file(qs(resource));
    if (!file.open(QIODevice::ReadOnly))
        throw fileOpenError(resource);
    const QByteArray bytes = file.readAll();
    loadFromBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

int Image::pictureWidth() const
{
    return pictureOf(*this)->picture().width();
}

int Image::pictureHeight() const
{
    return pictureOf(*this)->picture().height();
}

} // namespace toolkit
