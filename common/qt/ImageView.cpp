// The image control; a stretched picture is scaled smoothly, since it is shown reduced.
#include "common/qt/ImageView.h"

#include <QPainter>

#include "common/qt/PictureBox.h"

namespace halvoria {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::SetGeometryTwips(int left, int top, int width, int height) {
    SetWidgetGeometryTwips(this, left, top, width, height);
}

void ImageView::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void ImageView::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

QImage ImageView::Rendered() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Draw(painter);
    return image;
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw(painter);
}

void ImageView::Draw(QPainter& painter) const {
    if (picture_.isNull()) return;
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_);
    } else {
        painter.drawImage(QPoint(0, 0), picture_);
    }
}

}  // namespace halvoria
