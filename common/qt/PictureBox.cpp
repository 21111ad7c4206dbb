// The picture box on a retained backing image: drawing calls paint into the image in logical
// pixels, paintEvent only shows it, so nothing drawn is lost when the window is covered. Until
// something is drawn, the box shows its background and picture directly and keeps no image of its
// own: most boxes (backgrounds, frames, the board before a game) never need one.
#include "common/qt/PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "common/core/Twips.h"
#include "common/qt/LineArray.h"

namespace halvoria {

namespace {

QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>(colour & 0xFF));
}

// The pixel span [first, last) of a twip range; a span thinner than a pixel still takes one.
std::pair<int, int> PixelSpan(double from, double to) {
    if (to < from) std::swap(from, to);
    const int first = TwipsToPixelEdge(from);
    const int last = std::max(TwipsToPixelEdge(to), first + 1);
    return {first, last};
}

// The pixel span of a twip range that may be empty, for source and destination rectangles.
std::pair<int, int> EdgeSpan(double start, double extent) {
    double from = start;
    double to = start + extent;
    if (to < from) std::swap(from, to);
    return {TwipsToPixelEdge(from), TwipsToPixelEdge(to)};
}

bool SameExtent(double a, double b) { return std::fabs(std::fabs(a) - std::fabs(b)) < 1e-6; }

// Source span for an unscaled copy of count pixels: starts at the source's own first edge. When
// the two rectangles' edges round differently, the source may be a pixel short at the picture's
// far side; it is then moved back inside so the destination gets no gap.
int UnscaledSourceStart(std::pair<int, int> sourceSpan, int count, int pictureExtent) {
    int start = sourceSpan.first;
    if (start + count > pictureExtent && sourceSpan.second <= pictureExtent) {
        start = std::max(0, pictureExtent - count);
    }
    return start;
}

void DrawLine(QPainter& painter, const LineControl& line) {
    const int x1 = TwipsToPixelEdge(line.X1());
    const int y1 = TwipsToPixelEdge(line.Y1());
    const int x2 = TwipsToPixelEdge(line.X2());
    const int y2 = TwipsToPixelEdge(line.Y2());
    const QColor colour = ToQColor(line.LineColour());
    // Upright and level lines, the only ones the games use, are filled exactly: from the first
    // end up to, not including, the second, one pixel thick.
    if (y1 == y2) {
        painter.fillRect(QRect(std::min(x1, x2), y1, std::max(std::abs(x2 - x1), 1), 1), colour);
    } else if (x1 == x2) {
        painter.fillRect(QRect(x1, std::min(y1, y2), 1, std::max(std::abs(y2 - y1), 1)), colour);
    } else {
        painter.setPen(QPen(colour, 0));
        painter.drawLine(x1, y1, x2, y2);
    }
}

}  // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), backColor_(palette().color(QPalette::Button).rgb() & 0xFFFFFF) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() {
    for (LineArray* lines : lines_) lines->box_ = nullptr;
}

void PictureBox::SetGeometryTwips(int left, int top, int width, int height) {
    SetWidgetGeometryTwips(this, left, top, width, height);
}

void PictureBox::SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

void PictureBox::SetBackColor(Colour colour) {
    backColor_ = colour & 0xFFFFFF;
    ResetBackingToPicture();
    update();
}

void PictureBox::SetBorder(Border border) {
    if (border_ == border) return;
    border_ = border;
    // The outer size stays; the drawing area shrinks or grows by the border. Children stay put
    // relative to the drawing area.
    const int shift = border == Border::Sunken3D ? kSunkenBorderPixels : -kSunkenBorderPixels;
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow()) {
            widget->move(widget->pos() + QPoint(shift, shift));
        }
    }
    if (!backing_.isNull()) EnsureBacking();
    update();
}

void PictureBox::SetPicture(const QImage& picture) {
    if (picture.isNull()) {
        ClearPicture();
        return;
    }
    picture_ = picture;
    if (autoSize_) {
        const int inset = 2 * ContentInset();
        resize(picture.width() + inset, picture.height() + inset);
    }
    ResetBackingToPicture();
    update();
}

void PictureBox::AssignPictureFrom(const PictureBox& other) { SetPicture(other.Picture()); }

QImage PictureBox::Image() const {
    if (backing_.isNull()) return Composed();
    EnsureBacking();
    return backing_;
}

QImage PictureBox::Rendered() const {
    QImage image = Image().copy();
    QPainter painter(&image);
    DrawLines(painter);
    return image;
}

int PictureBox::ContentInset() const {
    return border_ == Border::Sunken3D ? kSunkenBorderPixels : 0;
}

void PictureBox::PaintPicture(const PictureSurface& source, float destLeft, float destTop,
                              double destWidth, double destHeight, double srcLeft, double srcTop,
                              double srcWidth, double srcHeight) {
    const auto* sourceBox = dynamic_cast<const PictureBox*>(&source);
    if (sourceBox == nullptr || sourceBox->picture_.isNull()) return;
    const QImage& picture = sourceBox->picture_;

    const auto [dx0, dx1] = EdgeSpan(destLeft, destWidth);
    const auto [dy0, dy1] = EdgeSpan(destTop, destHeight);
    const auto srcX = EdgeSpan(srcLeft, srcWidth);
    const auto srcY = EdgeSpan(srcTop, srcHeight);
    if (dx1 <= dx0 || dy1 <= dy0) return;

    // A negative extent on one side only mirrors the copy along that axis.
    const bool mirrorX = (destWidth < 0) != (srcWidth < 0);
    const bool mirrorY = (destHeight < 0) != (srcHeight < 0);

    QRect sourceRect;
    if (SameExtent(destWidth, srcWidth) && SameExtent(destHeight, srcHeight)) {
        // Same size in twips: a plain copy, pixel for pixel, never rescaled by a rounding
        // difference between the two rectangles' edges.
        const int width = dx1 - dx0;
        const int height = dy1 - dy0;
        sourceRect = QRect(UnscaledSourceStart(srcX, width, picture.width()),
                           UnscaledSourceStart(srcY, height, picture.height()), width, height);
    } else {
        sourceRect =
            QRect(srcX.first, srcY.first, srcX.second - srcX.first, srcY.second - srcY.first);
        if (sourceRect.isEmpty()) return;
    }

    EnsureBacking();
    QPainter painter(&backing_);
    const QRect target(dx0, dy0, dx1 - dx0, dy1 - dy0);
    if (mirrorX || mirrorY) {
        const QImage part = picture.copy(sourceRect).mirrored(mirrorX, mirrorY);
        painter.drawImage(target, part);
    } else {
        painter.drawImage(target, picture, sourceRect);
    }
    painter.end();
    update(target.translated(ContentInset(), ContentInset()));
}

void PictureBox::FillBox(float x1, float y1, float x2, float y2, Colour colour) {
    // Every pixel whose centre lies inside the box, its far border included: boxes sharing an
    // edge meet exactly, and a box thinner than a pixel still shows.
    const auto [left, right] = PixelSpan(x1, x2);
    const auto [top, bottom] = PixelSpan(y1, y2);
    const QRect box(left, top, right - left, bottom - top);
    EnsureBacking();
    QPainter painter(&backing_);
    painter.fillRect(box, ToQColor(colour));
    painter.end();
    update(box.translated(ContentInset(), ContentInset()));
}

void PictureBox::ClearPicture() {
    picture_ = QImage();
    ResetBackingToPicture();
    update();
}

double PictureBox::Width() const { return PixelsToTwips(width()); }

double PictureBox::Height() const { return PixelsToTwips(height()); }

void PictureBox::paintEvent(QPaintEvent*) {
    if (!backing_.isNull()) EnsureBacking();
    QPainter painter(this);
    const int inset = ContentInset();
    if (border_ == Border::Sunken3D) {
        // Two rings: shadow on the top and left, light on the bottom and right.
        const int w = width();
        const int h = height();
        const auto ring = [&](int offset, QColor topLeft, QColor bottomRight) {
            painter.fillRect(QRect(offset, offset, w - 2 * offset, 1), topLeft);
            painter.fillRect(QRect(offset, offset, 1, h - 2 * offset), topLeft);
            painter.fillRect(QRect(offset, h - 1 - offset, w - 2 * offset, 1), bottomRight);
            painter.fillRect(QRect(w - 1 - offset, offset, 1, h - 2 * offset), bottomRight);
        };
        ring(0, QColor(160, 160, 160), QColor(255, 255, 255));
        ring(1, QColor(105, 105, 105), QColor(227, 227, 227));
    }
    painter.setClipRect(QRect(QPoint(inset, inset), DrawingAreaSize()));
    painter.translate(inset, inset);
    if (backing_.isNull()) {
        DrawBase(painter);
    } else {
        painter.drawImage(QPoint(0, 0), backing_);
    }
    DrawLines(painter);
    if (overlay_) overlay_(painter);
}

void PictureBox::SetOverlay(std::function<void(QPainter&)> overlay) {
    overlay_ = std::move(overlay);
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!backing_.isNull()) EnsureBacking();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            break;
    }
    const QPointF position = event->position() - QPointF(ContentInset(), ContentInset());
    const QSize area = DrawingAreaSize();
    // Presses on the border belong to no drawing position.
    if (button == 0 || position.x() < 0 || position.y() < 0 || position.x() >= area.width() ||
        position.y() >= area.height()) {
        event->ignore();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) |
                      (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    event->accept();
    emit MousePressed(button, shift, static_cast<float>(position.x() * kTwipsPerPixel),
                      static_cast<float>(position.y() * kTwipsPerPixel));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = event->position() - QPointF(ContentInset(), ContentInset());
    const QSize area = DrawingAreaSize();
    if (position.x() < 0 || position.y() < 0 || position.x() >= area.width() ||
        position.y() >= area.height()) {
        emit MouseLeft();
    } else {
        emit MouseMoved(static_cast<float>(position.x() * kTwipsPerPixel),
                        static_cast<float>(position.y() * kTwipsPerPixel));
    }
    event->ignore();
}

void PictureBox::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit MouseLeft();
}

QSize PictureBox::DrawingAreaSize() const {
    const int inset = 2 * ContentInset();
    return QSize(std::max(0, width() - inset), std::max(0, height() - inset));
}

void PictureBox::EnsureBacking() const {
    const QSize area = DrawingAreaSize();
    const qreal ratio = devicePixelRatioF();
    if (!backing_.isNull() && backingArea_ == area && backing_.devicePixelRatio() == ratio) {
        return;
    }
    backingArea_ = area;
    if (area.isEmpty()) {
        backing_ = QImage();
        return;
    }
    QImage fresh(QSize(static_cast<int>(std::lround(area.width() * ratio)),
                       static_cast<int>(std::lround(area.height() * ratio))),
                 QImage::Format_RGB32);
    fresh.setDevicePixelRatio(ratio);
    QPainter painter(&fresh);
    if (!backing_.isNull()) {
        fresh.fill(ToQColor(backColor_));
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              backing_.devicePixelRatio() != ratio);
        painter.drawImage(QPoint(0, 0), backing_);
    } else {
        DrawBase(painter);
    }
    painter.end();
    backing_ = std::move(fresh);
}

void PictureBox::ResetBackingToPicture() {
    // Without a backing image the box already shows just its background and picture. One that
    // exists is refilled in place rather than dropped: a new game draws into it again at once.
    if (backing_.isNull()) return;
    EnsureBacking();
    if (backing_.isNull()) return;
    QPainter painter(&backing_);
    DrawBase(painter);
}

void PictureBox::DrawBase(QPainter& painter) const {
    painter.fillRect(QRect(QPoint(0, 0), DrawingAreaSize()), ToQColor(backColor_));
    if (!picture_.isNull()) painter.drawImage(QPoint(0, 0), picture_);
}

QImage PictureBox::Composed() const {
    const QSize area = DrawingAreaSize();
    if (area.isEmpty()) return QImage();
    const qreal ratio = devicePixelRatioF();
    QImage image(QSize(static_cast<int>(std::lround(area.width() * ratio)),
                       static_cast<int>(std::lround(area.height() * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    DrawBase(painter);
    return image;
}

void PictureBox::DrawLines(QPainter& painter) const {
    for (const LineArray* lines : lines_) {
        lines->ForEach([&](int, const LineControl& line) {
            if (line.Visible()) DrawLine(painter, line);
        });
    }
}

void PictureBox::AttachLines(LineArray* lines) { lines_.push_back(lines); }

void PictureBox::DetachLines(LineArray* lines) {
    lines_.erase(std::remove(lines_.begin(), lines_.end(), lines), lines_.end());
    update();
}

void PictureBox::LinesChanged() { update(); }

void SetWidgetGeometryTwips(QWidget* widget, int left, int top, int width, int height) {
    int inset = 0;
    if (const auto* box = qobject_cast<const PictureBox*>(widget->parentWidget())) {
        inset = box->ContentInset();
    }
    // Each edge maps on its own, so controls laid edge to edge in twips touch in pixels.
    const int x0 = TwipsToPixelEdge(left);
    const int y0 = TwipsToPixelEdge(top);
    const int x1 = TwipsToPixelEdge(static_cast<double>(left) + std::max(width, 0));
    const int y1 = TwipsToPixelEdge(static_cast<double>(top) + std::max(height, 0));
    widget->setGeometry(inset + x0, inset + y0, x1 - x0, y1 - y0);
}

}  // namespace halvoria
