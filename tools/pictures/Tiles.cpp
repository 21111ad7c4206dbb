// The tile game's strip of four coins. Each coin differs from the others in more than its metal:
// a hole or none, a numeral or none, and the style of its rim, so they part at a glance also for
// players who do not tell the colours apart.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "tools/pictures/Painters.h"

namespace halvoria::picturegen {
namespace {

constexpr int kTile = 25;
constexpr double kCentre = 12.5;
constexpr double kRadius = 11.2;

struct Metal {
    QColor light, mid, dark, ink;
};

const Metal kGold{QColor(255, 240, 150), QColor(222, 176, 40), QColor(130, 88, 10),
                  QColor(120, 80, 8)};
const Metal kCopper{QColor(238, 160, 110), QColor(176, 92, 44), QColor(92, 40, 16),
                    QColor(60, 24, 8)};
const Metal kSilver{QColor(250, 250, 252), QColor(184, 188, 196), QColor(96, 100, 110),
                    QColor(52, 56, 66)};
const Metal kBrightSilver{QColor(255, 255, 255), QColor(214, 222, 232), QColor(120, 130, 146),
                          QColor(30, 40, 70)};

QFont NumeralFont(int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The disc with its raised rim: lit from the top left, the rim bright above and dark below, the
// face the other way round so it reads as sunk inside the rim.
void PaintDisc(QPainter& p, const Metal& metal, double rimWidth) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 46));
    p.drawEllipse(QPointF(kCentre + 0.7, kCentre + 0.8), kRadius, kRadius);

    QLinearGradient rim(kCentre - kRadius, kCentre - kRadius, kCentre + kRadius, kCentre + kRadius);
    rim.setColorAt(0.0, metal.light);
    rim.setColorAt(0.5, metal.mid);
    rim.setColorAt(1.0, metal.dark);
    p.setBrush(rim);
    p.drawEllipse(QPointF(kCentre, kCentre), kRadius, kRadius);

    const double inner = kRadius - rimWidth;
    QLinearGradient face(kCentre - inner, kCentre - inner, kCentre + inner, kCentre + inner);
    face.setColorAt(0.0, metal.mid.darker(112));
    face.setColorAt(0.6, metal.mid);
    face.setColorAt(1.0, metal.light);
    p.setBrush(face);
    p.drawEllipse(QPointF(kCentre, kCentre), inner, inner);

    QRadialGradient shine(kCentre - 3.5, kCentre - 4.0, inner * 0.9);
    shine.setColorAt(0.0, QColor(255, 255, 255, 120));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawEllipse(QPointF(kCentre, kCentre), inner, inner);
}

// A milled edge: short dark notches all round the rim.
void PaintMilling(QPainter& p, const Metal& metal, int notches) {
    p.setPen(QPen(metal.dark, 0.9, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < notches; ++i) {
        const double a = 2.0 * std::numbers::pi * i / notches;
        const double c = std::cos(a);
        const double s = std::sin(a);
        p.drawLine(QPointF(kCentre + c * (kRadius - 1.9), kCentre + s * (kRadius - 1.9)),
                   QPointF(kCentre + c * (kRadius - 0.2), kCentre + s * (kRadius - 0.2)));
    }
    p.setPen(Qt::NoPen);
}

// A hole punched through: the white ground shows, its upper edge in shadow.
void PaintHole(QPainter& p, QPointF centre, double radius, const Metal& metal) {
    p.setPen(Qt::NoPen);
    p.setBrush(metal.dark);
    p.drawEllipse(centre, radius + 0.9, radius + 0.9);
    p.setBrush(metal.light);
    p.drawEllipse(centre + QPointF(0.4, 0.4), radius + 0.5, radius + 0.5);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
}

// A numeral struck into the face: dark figures with a light edge below them.
void PaintNumeral(QPainter& p, const QString& digits, const QFont& font, QPointF centre,
                  const Metal& metal) {
    QPainterPath path;
    path.addText(0, 0, font, digits);
    const QRectF box = path.boundingRect();
    const QPointF shift(std::round(centre.x() - box.center().x()),
                        std::round(centre.y() - box.center().y()));
    p.setFont(font);
    p.setPen(metal.light);
    p.drawText(shift + QPointF(0.6, 0.6), digits);
    p.setPen(metal.ink);
    p.drawText(shift, digits);
}

QImage PaintCoin(int kind) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPointF middle(kCentre, kCentre);
    switch (kind) {
        case 0: {  // gold, holed, rays round the hole, no numeral
            PaintDisc(p, kGold, 2.0);
            p.setPen(QPen(kGold.dark, 0.8));
            for (int i = 0; i < 12; ++i) {
                const double a = 2.0 * std::numbers::pi * (i + 0.5) / 12.0;
                p.drawLine(middle + QPointF(std::cos(a), std::sin(a)) * 5.2,
                           middle + QPointF(std::cos(a), std::sin(a)) * 8.0);
            }
            PaintHole(p, middle, 3.0, kGold);
            break;
        }
        case 1:  // copper, plain rim, "10"
            PaintDisc(p, kCopper, 1.6);
            PaintNumeral(p, QStringLiteral("10"), NumeralFont(12), middle, kCopper);
            break;
        case 2:  // silver, holed, "50" above the hole
            PaintDisc(p, kSilver, 1.8);
            PaintNumeral(p, QStringLiteral("50"), NumeralFont(8), middle + QPointF(0, -5.0),
                         kSilver);
            PaintHole(p, middle + QPointF(0, 2.5), 2.6, kSilver);
            break;
        default:  // bright silver, milled rim, "500"
            PaintDisc(p, kBrightSilver, 2.2);
            PaintMilling(p, kBrightSilver, 28);
            PaintNumeral(p, QStringLiteral("500"), NumeralFont(9), middle, kBrightSilver);
            break;
    }
    return tile;
}

}  // namespace

QImage PaintTileStrip() {
    QImage strip(4 * kTile + 3, kTile, QImage::Format_RGB32);
    strip.fill(Qt::black);  // the three separator columns stay black
    QPainter p(&strip);
    // Each coin is painted on its own so no edge smoothing can reach a separator.
    for (int kind = 0; kind < 4; ++kind) p.drawImage((kTile + 1) * kind, 0, PaintCoin(kind));
    return strip;
}

}  // namespace halvoria::picturegen
