// The launcher icons of the desktop entries, one a game: Zorvat's is a picture cut into 3 x 3
// panels with the blank at the bottom right and one panel on its way into it; Quendle's is three
// coins on a green board. Drawn in a 64-unit square scaled to each size of the icon theme.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/pictures/Painters.h"

namespace halvoria::picturegen {
namespace {

constexpr double kUnits = 64.0;

QImage BlankIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void ScaleToUnits(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kUnits, size / kUnits);
}

// A rounded tile with a darker rim, the base of both icons.
void PaintBase(QPainter& p, const QColor& top, const QColor& bottom, const QColor& rim) {
    QLinearGradient fill(0, 2, 0, 62);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(rim, 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);
}

// The landscape the puzzle panels are cut from, drawn into the square `area`.
void PaintLandscape(QPainter& p, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(80, 150, 235));
    sky.setColorAt(0.6, QColor(250, 214, 150));
    p.fillRect(area, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 60));
    p.drawEllipse(QPointF(area.left() + area.width() * 0.68, area.top() + area.height() * 0.34),
                  area.width() * 0.14, area.width() * 0.14);
    QPainterPath hills;
    hills.moveTo(area.left(), area.top() + area.height() * 0.70);
    hills.cubicTo(area.left() + area.width() * 0.30, area.top() + area.height() * 0.45,
                  area.left() + area.width() * 0.55, area.top() + area.height() * 0.85,
                  area.right(), area.top() + area.height() * 0.58);
    hills.lineTo(area.bottomRight());
    hills.lineTo(area.bottomLeft());
    hills.closeSubpath();
    p.setBrush(QColor(60, 150, 80));
    p.drawPath(hills);
}

// One coin: a metal disc with a rim, a shine, and for some kinds a square hole.
void PaintCoin(QPainter& p, QPointF centre, double radius, const QColor& light, const QColor& mid,
               const QColor& dark, bool hole) {
    QRadialGradient metal(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    metal.setColorAt(0, light);
    metal.setColorAt(0.5, mid);
    metal.setColorAt(1, dark);
    p.setPen(QPen(dark, radius * 0.10));
    p.setBrush(metal);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(light, radius * 0.07));
    p.drawEllipse(centre, radius * 0.78, radius * 0.78);
    if (hole) {
        p.setPen(QPen(dark, radius * 0.06));
        p.setBrush(QColor(20, 70, 40));
        p.drawEllipse(centre, radius * 0.24, radius * 0.24);
    }
}

}  // namespace

QImage PaintPuzzleLauncher(int size) {
    QImage image = BlankIcon(size);
    QPainter p(&image);
    ScaleToUnits(p, size);
    PaintBase(p, QColor(54, 70, 92), QColor(24, 32, 46), QColor(12, 16, 24));

    const QRectF board(10, 10, 44, 44);
    const double cell = board.width() / 3;
    // Each panel shows its own part of the landscape; the blank is the bottom right, and the
    // panel left of it is halfway into it.
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (row == 2 && column == 2) continue;
            const QRectF home(board.left() + column * cell, board.top() + row * cell, cell, cell);
            const double shift = (row == 2 && column == 1) ? cell / 2 : 0;
            const QRectF panel = home.translated(shift, 0).adjusted(0.8, 0.8, -0.8, -0.8);
            p.save();
            p.setClipRect(panel);
            PaintLandscape(p, board.translated(shift, 0));
            p.restore();
            p.setPen(QPen(QColor(255, 255, 255, 150), 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawRect(panel);
        }
    }
    // The slide's direction, in the half of the blank the panel has not reached yet.
    QPainterPath arrow;
    const double y = board.top() + 2.5 * cell;
    const double x = board.right() - cell * 0.25;
    arrow.moveTo(x + 3, y);
    arrow.lineTo(x - 2, y - 4);
    arrow.lineTo(x - 2, y + 4);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 232, 130));
    p.drawPath(arrow);
    return image;
}

QImage PaintCoinLauncher(int size) {
    QImage image = BlankIcon(size);
    QPainter p(&image);
    ScaleToUnits(p, size);
    PaintBase(p, QColor(40, 130, 80), QColor(16, 70, 40), QColor(8, 36, 20));
    PaintCoin(p, QPointF(24, 40), 14, QColor(250, 250, 252), QColor(184, 188, 196),
              QColor(96, 100, 110), true);
    PaintCoin(p, QPointF(42, 42), 13, QColor(238, 160, 110), QColor(176, 92, 44),
              QColor(92, 40, 16), false);
    PaintCoin(p, QPointF(32, 23), 15, QColor(255, 240, 150), QColor(222, 176, 40),
              QColor(130, 88, 10), true);
    return image;
}

}  // namespace halvoria::picturegen
