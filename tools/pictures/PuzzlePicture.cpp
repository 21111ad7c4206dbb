// The built-in puzzle picture: a bright landscape between night and day. Every 40 x 40 piece of
// it carries its own shapes and colours (stars, rainbow, balloon, patchwork fields, river, house,
// trees, flowers), so a player can tell the pieces apart by eye even on the 10 x 10 grid.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "tools/pictures/Painters.h"

namespace halvoria::picturegen {
namespace {

constexpr int kSide = 399;
constexpr double kPi = std::numbers::pi;

// A small fixed generator, so the scattered details land in the same places on every run and
// with every standard library.
class Scatter {
  public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 16777216.0;
    }
    double Between(double low, double high) { return low + (high - low) * Next(); }
    int Pick(int count) { return static_cast<int>(Next() * count) % count; }

  private:
    std::uint32_t state_;
};

QColor Mix(const QColor& a, const QColor& b, double t) {
    const auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()),
                  ch(a.alpha(), b.alpha()));
}

// Points along a Catmull-Rom curve through `points`.
std::vector<QPointF> Spline(const std::vector<QPointF>& points, int stepsPerSpan) {
    std::vector<QPointF> out;
    const auto at = [&](int i) {
        return points[static_cast<std::size_t>(
            std::clamp(i, 0, static_cast<int>(points.size()) - 1))];
    };
    for (int i = 0; i + 1 < static_cast<int>(points.size()); ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int s = 0; s < stepsPerSpan; ++s) {
            const double t = static_cast<double>(s) / stepsPerSpan;
            const double t2 = t * t, t3 = t2 * t;
            out.push_back(0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                                 (-p0 + 3 * p1 - 3 * p2 + p3) * t3));
        }
    }
    out.push_back(points.back());
    return out;
}

// A hill: the area below a smooth ridge through `ridge`, down to the picture's bottom.
QPainterPath HillBelow(const std::vector<QPointF>& ridge) {
    const std::vector<QPointF> line = Spline(ridge, 16);
    QPainterPath path(line.front());
    for (const QPointF& p : line) path.lineTo(p);
    path.lineTo(line.back().x(), kSide + 2);
    path.lineTo(line.front().x(), kSide + 2);
    path.closeSubpath();
    return path;
}

void PaintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 215);
    sky.setColorAt(0.00, QColor(24, 28, 96));
    sky.setColorAt(0.22, QColor(52, 84, 178));
    sky.setColorAt(0.45, QColor(104, 160, 232));
    sky.setColorAt(0.70, QColor(190, 214, 240));
    sky.setColorAt(0.86, QColor(255, 206, 168));
    sky.setColorAt(1.00, QColor(255, 170, 120));
    p.fillRect(QRectF(0, 0, kSide, 215), sky);

    // Night lingers on the left, day glows on the right.
    QLinearGradient night(0, 0, 260, 0);
    night.setColorAt(0.0, QColor(20, 10, 60, 150));
    night.setColorAt(1.0, QColor(20, 10, 60, 0));
    p.fillRect(QRectF(0, 0, 260, 215), night);

    QRadialGradient glow(QPointF(330, 80), 190);
    glow.setColorAt(0.0, QColor(255, 246, 190, 210));
    glow.setColorAt(0.35, QColor(255, 220, 140, 110));
    glow.setColorAt(1.0, QColor(255, 200, 120, 0));
    p.fillRect(QRectF(120, 0, kSide - 120, 215), glow);
}

void PaintStar(QPainter& p, QPointF at, double size, const QColor& colour) {
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double r = (i % 2 == 0) ? size : size * 0.28;
        const double a = kPi / 4.0 * i - kPi / 2.0;
        const QPointF q = at + QPointF(std::cos(a), std::sin(a)) * r;
        if (i == 0)
            star.moveTo(q);
        else
            star.lineTo(q);
    }
    star.closeSubpath();
    p.fillPath(star, colour);
}

void PaintStars(QPainter& p) {
    Scatter rng(7);
    for (int i = 0; i < 70; ++i) {
        const double x = rng.Between(0, 250);
        const double y = rng.Between(0, 130 - x * 0.25);
        const double fade = std::clamp(1.0 - x / 260.0 - y / 200.0, 0.15, 1.0);
        const QColor tint = Mix(QColor(255, 255, 255), QColor(255, 230, 140), rng.Next());
        QColor c = tint;
        c.setAlphaF(static_cast<float>(fade));
        if (rng.Next() < 0.22)
            PaintStar(p, QPointF(x, y), rng.Between(3.0, 6.5), c);
        else
            p.setBrush(c), p.setPen(Qt::NoPen), p.drawEllipse(QPointF(x, y), 0.9, 0.9);
    }
    // A few constellations joined by faint lines.
    p.setPen(QPen(QColor(200, 210, 255, 90), 0.7));
    const std::array<QPointF, 5> dipper = {{{150, 22}, {168, 30}, {186, 26}, {198, 40}, {214, 36}}};
    for (std::size_t i = 0; i + 1 < dipper.size(); ++i) p.drawLine(dipper[i], dipper[i + 1]);
    for (const QPointF& s : dipper) PaintStar(p, s, 3.2, QColor(255, 250, 220, 230));
}

// A ringed planet and a shooting star, so the night corner is more than scattered stars.
void PaintPlanetAndComet(QPainter& p) {
    const QPointF planet(104, 20);
    const QRectF ring(planet.x() - 13, planet.y() - 3.5, 26, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 200, 150, 220), 1.6));
    p.drawArc(ring, 0, 180 * 16);  // the half of the ring behind the planet
    QRadialGradient body(planet + QPointF(-2.5, -2.5), 9);
    body.setColorAt(0.0, QColor(255, 220, 190));
    body.setColorAt(0.6, QColor(230, 130, 110));
    body.setColorAt(1.0, QColor(120, 60, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(planet, 7, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 220, 170, 240), 1.6));
    p.drawArc(ring, 180 * 16, 180 * 16);

    const QPointF head(152, 50);
    const QPointF tail(92, 76);
    QLinearGradient streak(tail, head);
    streak.setColorAt(0.0, QColor(255, 255, 255, 0));
    streak.setColorAt(1.0, QColor(255, 250, 210, 230));
    QPolygonF trail;
    trail << tail << head + QPointF(0.8, -2.4) << head + QPointF(0.8, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(streak);
    p.drawPolygon(trail);
    PaintStar(p, head, 5.5, QColor(255, 255, 230));
}

void PaintMoon(QPainter& p) {
    const QPointF centre(56, 50);
    QPainterPath disc;
    disc.addEllipse(centre, 22, 22);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(10, -6), 19, 19);
    const QPainterPath crescent = disc.subtracted(bite);
    QRadialGradient halo(centre, 44);
    halo.setColorAt(0.0, QColor(255, 250, 210, 90));
    halo.setColorAt(1.0, QColor(255, 250, 210, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, 44, 44);
    QLinearGradient shade(centre.x() - 22, 0, centre.x() + 10, 0);
    shade.setColorAt(0.0, QColor(255, 252, 220));
    shade.setColorAt(1.0, QColor(236, 210, 120));
    p.fillPath(crescent, shade);
    p.setBrush(QColor(210, 180, 100, 160));
    p.drawEllipse(centre + QPointF(-13, 4), 3, 3);
    p.drawEllipse(centre + QPointF(-8, 14), 2, 2);
}

void PaintRainbow(QPainter& p) {
    const std::array<QColor, 7> bands = {{{232, 48, 48},
                                          {246, 140, 40},
                                          {250, 220, 60},
                                          {80, 190, 80},
                                          {60, 150, 230},
                                          {90, 80, 200},
                                          {150, 80, 190}}};
    const QPointF centre(178, 268);
    double radius = 188;
    for (const QColor& band : bands) {
        QColor c = band;
        c.setAlpha(140);
        p.setPen(QPen(c, 5.2, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 0,
                  180 * 16);
        radius -= 5.0;
    }
}

void PaintSun(QPainter& p) {
    const QPointF centre(332, 74);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 16; ++i) {
        const double a = 2.0 * kPi * i / 16.0 + 0.1;
        const double length = (i % 2 == 0) ? 56.0 : 44.0;
        QPolygonF ray;
        ray << centre + QPointF(std::cos(a - 0.11), std::sin(a - 0.11)) * 28.0
            << centre + QPointF(std::cos(a), std::sin(a)) * length
            << centre + QPointF(std::cos(a + 0.11), std::sin(a + 0.11)) * 28.0;
        p.setBrush(i % 2 == 0 ? QColor(255, 200, 60, 200) : QColor(255, 150, 70, 190));
        p.drawPolygon(ray);
    }
    QRadialGradient body(centre + QPointF(-8, -8), 34);
    body.setColorAt(0.0, QColor(255, 255, 220));
    body.setColorAt(0.5, QColor(255, 226, 90));
    body.setColorAt(1.0, QColor(250, 160, 40));
    p.setBrush(body);
    p.drawEllipse(centre, 27, 27);
    p.setPen(QPen(QColor(240, 140, 30, 150), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 19, 19);
}

void PaintCloud(QPainter& p, QPointF at, double scale, const QColor& shadow) {
    const std::array<std::array<double, 3>, 7> puffs = {{{-22, 4, 11},
                                                         {-10, -5, 14},
                                                         {6, -9, 16},
                                                         {22, -2, 12},
                                                         {32, 6, 9},
                                                         {-30, 9, 7},
                                                         {8, 6, 13}}};
    QPainterPath cloud;
    for (const auto& puff : puffs)
        cloud.addEllipse(at + QPointF(puff[0], puff[1]) * scale, puff[2] * scale, puff[2] * scale);
    cloud.setFillRule(Qt::WindingFill);
    const QRectF box = cloud.boundingRect();
    QLinearGradient shade(0, box.top(), 0, box.bottom());
    shade.setColorAt(0.0, QColor(255, 255, 255, 245));
    shade.setColorAt(0.6, QColor(244, 246, 255, 240));
    shade.setColorAt(1.0, shadow);
    p.fillPath(cloud.simplified(), shade);
}

void PaintBalloon(QPainter& p, QPointF top, double scale) {
    const std::array<QColor, 6> stripes = {{{230, 60, 70},
                                            {255, 210, 60},
                                            {60, 140, 230},
                                            {250, 250, 250},
                                            {70, 190, 110},
                                            {240, 120, 40}}};
    const double w = 34 * scale, h = 40 * scale;
    QPainterPath envelope;
    envelope.moveTo(top + QPointF(0, h));
    envelope.cubicTo(top + QPointF(-w * 0.9, h * 0.55), top + QPointF(-w * 0.65, -h * 0.05),
                     top + QPointF(0, 0));
    envelope.cubicTo(top + QPointF(w * 0.65, -h * 0.05), top + QPointF(w * 0.9, h * 0.55),
                     top + QPointF(0, h));
    p.save();
    p.setClipPath(envelope);
    const int n = static_cast<int>(stripes.size());
    for (int i = 0; i < n; ++i) {
        const double x0 = top.x() - w * 0.6 + i * (1.2 * w / n);
        p.fillRect(QRectF(x0, top.y() - 2, 1.2 * w / n + 0.5, h + 4),
                   stripes[static_cast<std::size_t>(i)]);
    }
    QRadialGradient light(top + QPointF(-w * 0.25, h * 0.3), w * 0.8);
    light.setColorAt(0.0, QColor(255, 255, 255, 110));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 40, 90));
    p.fillRect(envelope.boundingRect(), light);
    p.restore();
    p.setPen(QPen(QColor(90, 60, 30), 0.9));
    p.drawLine(top + QPointF(-3 * scale, h), top + QPointF(-4 * scale, h + 9 * scale));
    p.drawLine(top + QPointF(3 * scale, h), top + QPointF(4 * scale, h + 9 * scale));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 95, 45));
    p.drawRect(QRectF(top.x() - 5 * scale, top.y() + h + 8 * scale, 10 * scale, 7 * scale));
    p.setBrush(QColor(110, 65, 30));
    p.drawRect(QRectF(top.x() - 5 * scale, top.y() + h + 12 * scale, 10 * scale, 1.2 * scale));
}

void PaintKite(QPainter& p) {
    const QPointF top(104, 84);
    QPolygonF kite;
    kite << top << top + QPointF(13, 15) << top + QPointF(0, 38) << top + QPointF(-13, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 70, 140));
    p.drawPolygon(QPolygonF() << top << top + QPointF(13, 15) << top + QPointF(0, 15));
    p.setBrush(QColor(255, 220, 60));
    p.drawPolygon(QPolygonF() << top << top + QPointF(-13, 15) << top + QPointF(0, 15));
    p.setBrush(QColor(60, 200, 220));
    p.drawPolygon(QPolygonF() << top + QPointF(0, 15) << top + QPointF(13, 15)
                              << top + QPointF(0, 38));
    p.setBrush(QColor(120, 80, 220));
    p.drawPolygon(QPolygonF() << top + QPointF(0, 15) << top + QPointF(-13, 15)
                              << top + QPointF(0, 38));
    p.setPen(QPen(QColor(60, 40, 40), 0.8));
    p.drawLine(top, top + QPointF(0, 38));
    p.drawLine(top + QPointF(-13, 15), top + QPointF(13, 15));
    // Tail with bows, and the string running down towards the hill.
    QPainterPath tail(top + QPointF(0, 38));
    tail.cubicTo(top + QPointF(10, 52), top + QPointF(-12, 62), top + QPointF(4, 80));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    const std::array<QColor, 4> bows = {
        {{255, 90, 60}, {70, 160, 255}, {255, 210, 50}, {80, 200, 100}}};
    for (std::size_t i = 0; i < bows.size(); ++i) {
        const QPointF at = tail.pointAtPercent(0.2 + 0.25 * static_cast<double>(i));
        p.setPen(Qt::NoPen);
        p.setBrush(bows[i]);
        p.drawPolygon(QPolygonF() << at << at + QPointF(-4, -2.5) << at + QPointF(-4, 2.5));
        p.drawPolygon(QPolygonF() << at << at + QPointF(4, -2.5) << at + QPointF(4, 2.5));
    }
    p.setPen(QPen(QColor(240, 240, 240, 160), 0.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath string(top + QPointF(0, 15));
    string.cubicTo(QPointF(80, 140), QPointF(60, 190), QPointF(52, 238));
    p.drawPath(string);
}

void PaintBirds(QPainter& p) {
    p.setPen(QPen(QColor(50, 40, 70), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const std::array<std::array<double, 3>, 9> birds = {{{258, 120, 1.0},
                                                         {290, 30, 0.6},
                                                         {304, 36, 0.75},
                                                         {314, 28, 0.55},
                                                         {272, 112, 0.8},
                                                         {284, 124, 0.9},
                                                         {372, 150, 0.7},
                                                         {160, 160, 0.8},
                                                         {300, 16, 0.7}}};

    for (const auto& b : birds) {
        const QPointF at(b[0], b[1]);
        const double s = b[2] * 6;
        QPainterPath wing(at + QPointF(-s, -s * 0.4));
        wing.quadTo(at + QPointF(-s * 0.5, -s * 0.7), at);
        wing.quadTo(at + QPointF(s * 0.5, -s * 0.7), at + QPointF(s, -s * 0.4));
        p.drawPath(wing);
    }
}

// A paper aeroplane gliding in the top right corner.
void PaintPaperPlane(QPainter& p) {
    const QPointF nose(392, 18);
    p.setPen(QPen(QColor(120, 110, 160), 0.6));
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(QPolygonF() << nose << QPointF(364, 20) << QPointF(376, 25));
    p.setBrush(QColor(210, 205, 240));
    p.drawPolygon(QPolygonF() << nose << QPointF(376, 25) << QPointF(372, 34));
    p.setBrush(QColor(250, 170, 200));
    p.drawPolygon(QPolygonF() << nose << QPointF(368, 28) << QPointF(376, 25));
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.8, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    QPainterPath loop(QPointF(364, 24));
    loop.cubicTo(QPointF(352, 30), QPointF(350, 10), QPointF(340, 22));
    p.drawPath(loop);
}

void PaintMountains(QPainter& p) {
    struct Peak {
        double x, y, halfWidth;
        QColor body;
    };
    const std::array<Peak, 5> peaks = {{{30, 150, 80, QColor(110, 100, 170)},
                                        {130, 165, 70, QColor(130, 110, 180)},
                                        {250, 140, 90, QColor(100, 90, 160)},
                                        {360, 160, 75, QColor(140, 120, 190)},
                                        {190, 180, 60, QColor(150, 130, 190)}}};
    for (const Peak& pk : peaks) {
        QPolygonF shape;
        shape << QPointF(pk.x - pk.halfWidth, 220) << QPointF(pk.x - pk.halfWidth * 0.3, pk.y + 22)
              << QPointF(pk.x, pk.y) << QPointF(pk.x + pk.halfWidth * 0.35, pk.y + 18)
              << QPointF(pk.x + pk.halfWidth, 220);
        QLinearGradient shade(pk.x - pk.halfWidth, pk.y, pk.x + pk.halfWidth, 220);
        shade.setColorAt(0.0, pk.body.lighter(125));
        shade.setColorAt(1.0, pk.body.darker(125));
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawPolygon(shape);
        QPolygonF snow;
        snow << QPointF(pk.x, pk.y) << QPointF(pk.x + 9, pk.y + 11) << QPointF(pk.x + 3, pk.y + 8)
             << QPointF(pk.x - 2, pk.y + 13) << QPointF(pk.x - 6, pk.y + 9)
             << QPointF(pk.x - 10, pk.y + 14);
        p.setBrush(QColor(250, 250, 255, 230));
        p.drawPolygon(snow);
    }
}

// Grass texture: short strokes in shades around `base`, kept inside `area`.
void PaintGrass(QPainter& p, const QPainterPath& area, const QColor& base, int count,
                std::uint32_t seed, double length) {
    Scatter rng(seed);
    const QRectF box = area.boundingRect();
    p.save();
    p.setClipPath(area);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.Between(box.left(), box.right()),
                         rng.Between(box.top(), box.bottom()));
        const double depth = (at.y() - box.top()) / std::max(1.0, box.height());
        const QColor c =
            rng.Next() < 0.5 ? base.lighter(110 + rng.Pick(30)) : base.darker(110 + rng.Pick(30));
        p.setPen(QPen(c, 0.9 + depth * 0.6, Qt::SolidLine, Qt::RoundCap));
        const double l = length * (0.5 + depth) * rng.Between(0.6, 1.2);
        p.drawLine(at, at + QPointF(rng.Between(-0.35, 0.35) * l, -l));
    }
    p.restore();
}

void PaintFarHills(QPainter& p) {
    const QPainterPath far =
        HillBelow({{-5, 208}, {60, 196}, {140, 206}, {220, 194}, {300, 204}, {404, 192}});
    QLinearGradient shade(0, 192, 0, 240);
    shade.setColorAt(0.0, QColor(140, 200, 150));
    shade.setColorAt(1.0, QColor(80, 150, 110));
    p.fillPath(far, shade);
    // Rows of tiny far-off trees along the ridge.
    Scatter rng(21);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const double x = rng.Between(0, kSide);
        const double y = 204 + rng.Between(-6, 10) - 6 * std::sin(x / 40.0);
        p.setBrush(Mix(QColor(40, 110, 80), QColor(90, 150, 90), rng.Next()));
        p.drawEllipse(QPointF(x, y), rng.Between(2.0, 3.5), rng.Between(3.0, 5.0));
    }
}

// The left hill, covered in a patchwork of fields, each with its own crop colour and rows.
void PaintFieldHill(QPainter& p) {
    const QPainterPath hill = HillBelow({{-5, 212}, {50, 206}, {120, 214}, {200, 232}, {250, 262}});
    QLinearGradient shade(0, 206, 0, 330);
    shade.setColorAt(0.0, QColor(150, 200, 90));
    shade.setColorAt(1.0, QColor(70, 140, 60));
    p.fillPath(hill, shade);

    const std::array<QColor, 9> crops = {{{236, 206, 90},
                                          {120, 180, 70},
                                          {190, 140, 210},
                                          {220, 150, 70},
                                          {90, 160, 100},
                                          {250, 236, 140},
                                          {170, 200, 80},
                                          {200, 110, 90},
                                          {110, 190, 150}}};
    // A skewed grid of fields: columns lean with the slope, rows get taller towards the front.
    const std::array<double, 6> rowY = {214, 226, 242, 262, 288, 318};
    const std::array<double, 6> colX = {-10, 40, 90, 135, 180, 230};
    p.save();
    p.setClipPath(hill);
    int n = 0;
    for (std::size_t r = 0; r + 1 < rowY.size(); ++r) {
        for (std::size_t c = 0; c + 1 < colX.size(); ++c, ++n) {
            const auto corner = [&](std::size_t cc, std::size_t rr) {
                return QPointF(colX[cc] - (rowY[rr] - 214) * 0.35 + (rr % 2 == 1 ? 6.0 : 0.0),
                               rowY[rr]);
            };
            QPolygonF field;
            field << corner(c, r) << corner(c + 1, r) << corner(c + 1, r + 1) << corner(c, r + 1);
            const QColor crop = crops[static_cast<std::size_t>((n * 4 + static_cast<int>(r)) % 9)];
            QLinearGradient fieldShade(field.boundingRect().topLeft(),
                                       field.boundingRect().bottomRight());
            fieldShade.setColorAt(0.0, crop.lighter(112));
            fieldShade.setColorAt(1.0, crop.darker(118));
            p.setPen(QPen(QColor(70, 110, 40), 1.6));
            p.setBrush(fieldShade);
            p.drawPolygon(field);
            // Crop rows in a direction of their own.
            QPainterPath inside;
            inside.addPolygon(field);
            p.save();
            p.setClipPath(inside, Qt::IntersectClip);
            p.setPen(QPen(crop.darker(135), 1.0));
            const QRectF box = field.boundingRect();
            const double angle = (n % 3 == 0) ? 0.0 : ((n % 3 == 1) ? 0.6 : -0.5);
            const double gap = 3.0 + (n % 2) * 1.5;
            for (double t = -box.width() - box.height(); t < box.width() + box.height(); t += gap) {
                const QPointF a(box.left() + t, box.top());
                p.drawLine(a, a + QPointF(std::sin(angle) * 80, std::cos(angle) * 80));
            }
            p.restore();
        }
    }
    p.restore();
}

void PaintRightHill(QPainter& p) {
    const QPainterPath hill =
        HillBelow({{170, 290}, {220, 246}, {280, 226}, {340, 220}, {404, 228}});
    QLinearGradient shade(0, 220, 0, 340);
    shade.setColorAt(0.0, QColor(120, 196, 80));
    shade.setColorAt(1.0, QColor(50, 130, 50));
    p.fillPath(hill, shade);
    PaintGrass(p, hill, QColor(80, 160, 60), 900, 33, 5.0);
}

struct River {
    QPainterPath water;
    std::vector<QPointF> centre;
};

River MakeRiver() {
    const std::vector<QPointF> centre = Spline({{238, 204},
                                                {228, 222},
                                                {246, 246},
                                                {222, 272},
                                                {186, 300},
                                                {196, 336},
                                                {168, 372},
                                                {160, 404}},
                                               14);
    std::vector<QPointF> left, right;
    for (std::size_t i = 0; i < centre.size(); ++i) {
        const QPointF a = centre[i == 0 ? 0 : i - 1];
        const QPointF b = centre[std::min(i + 1, centre.size() - 1)];
        QPointF d = b - a;
        const double len = std::hypot(d.x(), d.y());
        d /= len;
        const double t = (centre[i].y() - 204) / 200.0;
        const double half = 1.5 + 38.0 * std::pow(std::max(0.0, t), 1.4);
        const QPointF normal(-d.y(), d.x());
        left.push_back(centre[i] + normal * half);
        right.push_back(centre[i] - normal * half);
    }
    QPainterPath water(left.front());
    for (const QPointF& q : left) water.lineTo(q);
    for (auto it = right.rbegin(); it != right.rend(); ++it) water.lineTo(*it);
    water.closeSubpath();
    return {water, centre};
}

void PaintRiver(QPainter& p, const River& river) {
    // Sandy banks first, slightly wider than the water.
    p.setPen(QPen(QColor(214, 190, 130), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(river.water);
    QLinearGradient water(0, 204, 0, kSide);
    water.setColorAt(0.0, QColor(190, 220, 250));
    water.setColorAt(0.3, QColor(90, 170, 230));
    water.setColorAt(0.7, QColor(40, 110, 200));
    water.setColorAt(1.0, QColor(24, 70, 160));
    p.fillPath(river.water, water);
    // Ripples and glints, growing towards the front.
    Scatter rng(55);
    p.save();
    p.setClipPath(river.water);
    for (int i = 0; i < 140; ++i) {
        const std::size_t k =
            static_cast<std::size_t>(rng.Pick(static_cast<int>(river.centre.size())));
        const QPointF c = river.centre[k];
        const double t = (c.y() - 204) / 200.0;
        const QPointF at = c + QPointF(rng.Between(-40, 40) * t, rng.Between(-4, 4));
        const double w = 2.0 + 9.0 * t * rng.Between(0.5, 1.0);
        const QColor ripple =
            rng.Next() < 0.7 ? QColor(255, 255, 255, 170) : QColor(20, 50, 130, 140);
        p.setPen(QPen(ripple, 0.8 + t, Qt::SolidLine, Qt::RoundCap));
        QPainterPath arc(at - QPointF(w, 0));
        arc.quadTo(at + QPointF(0, -1.5 - t * 2), at + QPointF(w, 0));
        p.drawPath(arc);
    }
    // Lily pads near the front.
    for (const auto& pad : std::array<std::array<double, 3>, 4>{
             {{150, 368, 6}, {204, 386, 5}, {176, 390, 4}, {200, 334, 4}}}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 150, 70));
        p.drawPie(QRectF(pad[0] - pad[2], pad[1] - pad[2] * 0.6, pad[2] * 2, pad[2] * 1.2), 30 * 16,
                  300 * 16);
        p.setBrush(QColor(255, 150, 200));
        p.drawEllipse(QPointF(pad[0] - pad[2] * 0.2, pad[1] - 1), pad[2] * 0.35, pad[2] * 0.3);
    }
    p.restore();
}

void PaintBridge(QPainter& p) {
    // A small stone arch across the river's bend.
    const double left = 172, right = 240, deck = 282;
    QPainterPath arch;
    arch.moveTo(left, deck);
    arch.lineTo(right, deck - 6);
    arch.lineTo(right, deck + 10);
    arch.quadTo((left + right) / 2, deck - 10, left, deck + 16);
    arch.closeSubpath();
    QLinearGradient stone(0, deck - 8, 0, deck + 16);
    stone.setColorAt(0.0, QColor(220, 200, 170));
    stone.setColorAt(1.0, QColor(150, 120, 100));
    p.fillPath(arch, stone);
    p.save();
    p.setClipPath(arch);
    p.setPen(QPen(QColor(120, 95, 80), 0.7));
    for (double x = left; x < right; x += 7)
        p.drawLine(QPointF(x, deck - 8), QPointF(x, deck + 20));
    p.drawLine(QPointF(left, deck + 4), QPointF(right, deck - 2));
    p.restore();
    p.setPen(QPen(QColor(110, 70, 50), 1.4));
    p.drawLine(QPointF(left, deck - 6), QPointF(right, deck - 12));
    for (double x = left + 2; x <= right; x += 11) {
        const double y = deck - (x - left) * 6 / (right - left);
        p.drawLine(QPointF(x, y), QPointF(x, y - 6));
    }
}

void PaintHouse(QPainter& p) {
    const double x = 290, y = 222, w = 58, h = 40;
    // Walls with timber lines.
    QLinearGradient wall(x, y, x + w, y + h);
    wall.setColorAt(0.0, QColor(255, 240, 200));
    wall.setColorAt(1.0, QColor(230, 200, 150));
    p.setPen(QPen(QColor(120, 80, 50), 1.0));
    p.setBrush(wall);
    p.drawRect(QRectF(x, y, w, h));
    // Chimney and smoke curling up into the sky.
    p.setBrush(QColor(170, 80, 60));
    p.drawRect(QRectF(x + 40, y - 26, 8, 18));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(QColor(235, 235, 245, 200 - i * 25));
        p.drawEllipse(QPointF(x + 46 + i * 5 + std::sin(i * 1.3) * 3, y - 32 - i * 9),
                      3.0 + i * 1.2, 2.6 + i);
    }
    // Roof: red tiles in rows.
    QPolygonF roof;
    roof << QPointF(x - 8, y + 2) << QPointF(x + w / 2, y - 28) << QPointF(x + w + 8, y + 2);
    QLinearGradient tiles(0, y - 28, 0, y + 2);
    tiles.setColorAt(0.0, QColor(240, 90, 70));
    tiles.setColorAt(1.0, QColor(170, 40, 40));
    p.setPen(QPen(QColor(110, 30, 30), 1.0));
    p.setBrush(tiles);
    p.drawPolygon(roof);
    QPainterPath roofArea;
    roofArea.addPolygon(roof);
    p.save();
    p.setClipPath(roofArea);
    p.setPen(QPen(QColor(130, 30, 30, 180), 0.8));
    for (double ry = y - 22; ry < y + 2; ry += 5)
        p.drawLine(QPointF(x - 10, ry), QPointF(x + w + 10, ry));
    p.restore();
    // Round attic window.
    p.setPen(QPen(QColor(90, 50, 30), 1.2));
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(x + w / 2, y - 10), 5, 5);
    p.drawLine(QPointF(x + w / 2 - 5, y - 10), QPointF(x + w / 2 + 5, y - 10));
    // Door and windows: lit, with crossbars and a flower box.
    p.setBrush(QColor(110, 60, 160));
    p.drawRoundedRect(QRectF(x + 24, y + 18, 11, 22), 4, 4);
    p.setBrush(QColor(255, 220, 90));
    p.drawEllipse(QPointF(x + 32, y + 30), 1.0, 1.0);
    for (const double wx : {x + 6.0, x + 41.0}) {
        QLinearGradient glass(wx, y + 8, wx + 11, y + 20);
        glass.setColorAt(0.0, QColor(255, 250, 200));
        glass.setColorAt(1.0, QColor(250, 190, 80));
        p.setBrush(glass);
        p.drawRect(QRectF(wx, y + 8, 11, 12));
        p.drawLine(QPointF(wx + 5.5, y + 8), QPointF(wx + 5.5, y + 20));
        p.drawLine(QPointF(wx, y + 14), QPointF(wx + 11, y + 14));
        p.setBrush(QColor(140, 80, 40));
        p.drawRect(QRectF(wx - 1, y + 20, 13, 3));
        for (int i = 0; i < 4; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(i % 2 ? QColor(255, 80, 120) : QColor(255, 210, 60));
            p.drawEllipse(QPointF(wx + 1.5 + i * 3, y + 19.5), 1.5, 1.5);
        }
        p.setPen(QPen(QColor(90, 50, 30), 1.2));
    }
}

void PaintWindmill(QPainter& p) {
    const QPointF hub(82, 176);
    QPolygonF tower;
    tower << QPointF(74, 214) << QPointF(78, 180) << QPointF(86, 180) << QPointF(90, 214);
    QLinearGradient wall(74, 0, 90, 0);
    wall.setColorAt(0.0, QColor(250, 245, 235));
    wall.setColorAt(1.0, QColor(190, 170, 160));
    p.setPen(QPen(QColor(110, 90, 80), 0.8));
    p.setBrush(wall);
    p.drawPolygon(tower);
    p.setBrush(QColor(140, 70, 60));
    p.drawPolygon(QPolygonF() << QPointF(76, 181) << QPointF(82, 172) << QPointF(88, 181));
    p.setBrush(QColor(90, 60, 40));
    p.drawRect(QRectF(80, 204, 4, 10));
    for (int i = 0; i < 4; ++i) {
        const double a = kPi / 2.0 * i + 0.4;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF side(-dir.y(), dir.x());
        QPolygonF sail;
        sail << hub + dir * 4 << hub + dir * 24 << hub + dir * 24 + side * 6
             << hub + dir * 6 + side * 6;
        p.setBrush(i % 2 ? QColor(250, 240, 220) : QColor(230, 110, 90));
        p.drawPolygon(sail);
        p.drawLine(hub, hub + dir * 24);
    }
    p.setBrush(QColor(80, 60, 50));
    p.drawEllipse(hub, 2, 2);
}

void PaintRoundTree(QPainter& p, QPointF base, double size, const QColor& leaves, bool fruit,
                    std::uint32_t seed) {
    p.setPen(Qt::NoPen);
    QLinearGradient bark(base.x() - size * 0.12, 0, base.x() + size * 0.12, 0);
    bark.setColorAt(0.0, QColor(140, 90, 50));
    bark.setColorAt(1.0, QColor(80, 50, 30));
    p.setBrush(bark);
    p.drawRect(QRectF(base.x() - size * 0.1, base.y() - size * 0.9, size * 0.2, size * 0.9));
    p.setBrush(QColor(0, 30, 0, 50));
    p.drawEllipse(QPointF(base.x() + size * 0.2, base.y()), size * 0.6, size * 0.14);
    Scatter rng(seed);
    const QPointF crown(base.x(), base.y() - size * 1.2);
    for (int i = 0; i < 7; ++i) {
        const QPointF at = crown + QPointF(rng.Between(-0.45, 0.45), rng.Between(-0.4, 0.3)) * size;
        const double r = size * rng.Between(0.35, 0.5);
        QRadialGradient ball(at + QPointF(-r * 0.4, -r * 0.4), r * 1.4);
        ball.setColorAt(0.0, leaves.lighter(135));
        ball.setColorAt(0.6, leaves);
        ball.setColorAt(1.0, leaves.darker(150));
        p.setBrush(ball);
        p.drawEllipse(at, r, r);
    }
    if (fruit) {
        for (int i = 0; i < 9; ++i) {
            const QPointF at =
                crown + QPointF(rng.Between(-0.55, 0.55), rng.Between(-0.5, 0.45)) * size;
            p.setBrush(QColor(230, 40, 40));
            p.drawEllipse(at, size * 0.07, size * 0.07);
            p.setBrush(QColor(255, 200, 200));
            p.drawEllipse(at + QPointF(-0.6, -0.6), size * 0.02, size * 0.02);
        }
    }
}

void PaintPine(QPainter& p, QPointF base, double size, const QColor& needles) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(100, 60, 40));
    p.drawRect(QRectF(base.x() - size * 0.07, base.y() - size * 0.3, size * 0.14, size * 0.3));
    for (int tier = 0; tier < 3; ++tier) {
        const double top = base.y() - size * (1.5 - tier * 0.35);
        const double bottom = base.y() - size * (0.25 + (2 - tier) * 0.28);
        const double half = size * (0.25 + tier * 0.12);
        QLinearGradient shade(base.x() - half, 0, base.x() + half, 0);
        shade.setColorAt(0.0, needles.lighter(130));
        shade.setColorAt(1.0, needles.darker(140));
        p.setBrush(shade);
        p.drawPolygon(QPolygonF() << QPointF(base.x(), top) << QPointF(base.x() + half, bottom)
                                  << QPointF(base.x() - half, bottom));
    }
}

void PaintPath(QPainter& p) {
    QPainterPath path;
    path.moveTo(316, 262);
    path.cubicTo(QPointF(318, 300), QPointF(290, 320), QPointF(330, 356));
    path.cubicTo(QPointF(350, 374), QPointF(360, 390), QPointF(352, 404));
    QPainterPathStroker stroker;
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setWidth(12);
    QPainterPath narrow = stroker.createStroke(path);
    stroker.setWidth(26);
    const QPainterPath wide = stroker.createStroke(path);
    // The trail widens where it comes to the front of the picture.
    QPainterPath front;
    front.addRect(QRectF(0, 320, kSide, 100));
    const QPainterPath trail = narrow.united(wide.intersected(front));
    QLinearGradient sand(0, 262, 0, kSide);
    sand.setColorAt(0.0, QColor(236, 210, 160));
    sand.setColorAt(1.0, QColor(200, 160, 110));
    p.fillPath(trail, sand);
    Scatter rng(77);
    p.save();
    p.setClipPath(trail);
    for (int i = 0; i < 60; ++i) {
        const QPointF at = path.pointAtPercent(rng.Next()) + QPointF(rng.Between(-10, 10), 0);
        p.setPen(Qt::NoPen);
        p.setBrush(Mix(QColor(170, 150, 130), QColor(250, 240, 220), rng.Next()));
        p.drawEllipse(at, rng.Between(1.0, 2.4), rng.Between(0.8, 1.6));
    }
    p.restore();
}

void PaintFence(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 40), 0.8));
    for (int i = 0; i < 9; ++i) {
        const double x = 244 + i * 9.0;
        const double y = 292 + i * 0.8;
        QLinearGradient wood(x, 0, x + 5, 0);
        wood.setColorAt(0.0, QColor(250, 240, 220));
        wood.setColorAt(1.0, QColor(200, 170, 130));
        p.setBrush(wood);
        p.drawPolygon(QPolygonF() << QPointF(x, y) << QPointF(x + 2.5, y - 4) << QPointF(x + 5, y)
                                  << QPointF(x + 5, y + 18) << QPointF(x, y + 18));
    }
    p.setBrush(QColor(220, 190, 150));
    p.drawRect(QRectF(240, 297, 84, 2.5));
    p.drawRect(QRectF(240, 305, 84, 2.5));
}

void PaintSheep(QPainter& p, QPointF at, bool facingLeft) {
    const double dir = facingLeft ? -1.0 : 1.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 50));
    for (const double lx : {-4.0, -1.0, 3.0, 5.0})
        p.drawRect(QRectF(at.x() + lx * dir - 0.6, at.y() + 2, 1.3, 5));
    for (const auto& puff : std::array<std::array<double, 3>, 5>{
             {{-4, 0, 3.5}, {0, -1.5, 4}, {4, 0, 3.5}, {0, 2, 3.5}, {-2, 1, 3}}}) {
        QRadialGradient wool(at + QPointF(puff[0] - 1, puff[1] - 1), puff[2] * 1.4);
        wool.setColorAt(0.0, Qt::white);
        wool.setColorAt(1.0, QColor(210, 210, 220));
        p.setBrush(wool);
        p.drawEllipse(at + QPointF(puff[0] * dir, puff[1]), puff[2], puff[2] * 0.9);
    }
    p.setBrush(QColor(40, 40, 50));
    p.drawEllipse(at + QPointF(7.5 * dir, -1.5), 2.4, 2.0);
}

void PaintMeadow(QPainter& p, const River& river) {
    // The front bank on either side of the river, strewn with flowers.
    QPainterPath bank = HillBelow({{-5, 318}, {80, 330}, {160, 336}, {260, 326}, {404, 334}});
    bank = bank.subtracted(river.water);
    QLinearGradient green(0, 318, 0, kSide);
    green.setColorAt(0.0, QColor(120, 190, 70));
    green.setColorAt(1.0, QColor(50, 120, 40));
    p.fillPath(bank, green);
    PaintGrass(p, bank, QColor(70, 150, 50), 1600, 91, 7.0);

    const std::array<QColor, 8> petals = {{{255, 90, 120},
                                           {255, 220, 60},
                                           {250, 250, 255},
                                           {170, 100, 230},
                                           {255, 140, 40},
                                           {80, 140, 255},
                                           {240, 50, 60},
                                           {255, 170, 220}}};
    Scatter rng(123);
    p.save();
    p.setClipPath(bank);
    for (int i = 0; i < 170; ++i) {
        const QPointF at(rng.Between(0, kSide), rng.Between(322, kSide));
        if (!bank.contains(at)) continue;
        const double depth = (at.y() - 320) / 80.0;
        const double r = 1.6 + depth * 3.2 * rng.Between(0.7, 1.1);
        const QColor petal = petals[static_cast<std::size_t>(rng.Pick(8))];
        p.setPen(QPen(QColor(40, 110, 40), 0.8));
        p.drawLine(at, at + QPointF(0, r * 2));
        p.setPen(Qt::NoPen);
        p.setBrush(petal);
        const int count = 5 + rng.Pick(2);
        for (int k = 0; k < count; ++k) {
            const double a = 2.0 * kPi * k / count + rng.Next();
            p.drawEllipse(at + QPointF(std::cos(a), std::sin(a)) * r * 0.6, r * 0.5, r * 0.5);
        }
        p.setBrush(petal == QColor(255, 220, 60) ? QColor(160, 80, 20) : QColor(255, 230, 80));
        p.drawEllipse(at, r * 0.35, r * 0.35);
    }
    p.restore();

    // Toadstools at the left front, a butterfly over the right.
    for (const auto& m :
         std::array<std::array<double, 3>, 3>{{{30, 380, 9}, {48, 388, 6}, {92, 372, 7}}}) {
        const QPointF at(m[0], m[1]);
        const double s = m[2];
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 240, 220));
        p.drawRect(QRectF(at.x() - s * 0.25, at.y() - s * 0.3, s * 0.5, s * 1.0));
        QRadialGradient cap(at + QPointF(-s * 0.3, -s * 0.8), s * 1.3);
        cap.setColorAt(0.0, QColor(255, 110, 90));
        cap.setColorAt(1.0, QColor(180, 20, 30));
        p.setBrush(cap);
        p.drawChord(QRectF(at.x() - s, at.y() - s * 1.1, 2 * s, 2 * s), 0, 180 * 16);
        p.setBrush(Qt::white);
        p.drawEllipse(at + QPointF(-s * 0.4, -s * 0.55), s * 0.16, s * 0.16);
        p.drawEllipse(at + QPointF(s * 0.3, -s * 0.75), s * 0.13, s * 0.13);
        p.drawEllipse(at + QPointF(s * 0.05, -s * 0.35), s * 0.11, s * 0.11);
    }
    // A picnic on the left bank: checked blanket, basket and a red apple.
    {
        const QPolygonF blanket = QPolygonF() << QPointF(52, 340) << QPointF(104, 336)
                                              << QPointF(116, 358) << QPointF(58, 364);
        QPainterPath cloth;
        cloth.addPolygon(blanket);
        cloth.closeSubpath();
        p.fillPath(cloth, QColor(250, 245, 240));
        p.save();
        p.setClipPath(cloth);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 50, 60, 200));
        for (int i = 0; i < 12; ++i) {
            p.drawRect(QRectF(50 + i * 6.0, 330, 3, 40));
            p.drawRect(QRectF(45, 334 + i * 4.0, 80, 2));
        }
        p.restore();
        p.setBrush(QColor(170, 110, 50));
        p.drawRoundedRect(QRectF(84, 340, 16, 10), 2, 2);
        p.setPen(QPen(QColor(120, 70, 30), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(86, 334, 12, 12), 0, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 30, 40));
        p.drawEllipse(QPointF(72, 352), 3.2, 3.0);
    }
    // A mailbox by the path.
    {
        const QPointF post(384, 346);
        p.setBrush(QColor(120, 80, 50));
        p.drawRect(QRectF(post.x() - 1.5, post.y() - 12, 3, 20));
        QLinearGradient box(post.x() - 8, 0, post.x() + 8, 0);
        box.setColorAt(0.0, QColor(80, 120, 240));
        box.setColorAt(1.0, QColor(30, 50, 150));
        p.setBrush(box);
        p.drawRoundedRect(QRectF(post.x() - 8, post.y() - 22, 16, 11), 4, 4);
        p.setBrush(QColor(250, 60, 50));
        p.drawRect(QRectF(post.x() + 5, post.y() - 28, 2, 8));
        p.drawRect(QRectF(post.x() + 5, post.y() - 28, 6, 3));
    }
    const QPointF fly(300, 352);
    for (const double side : {-1.0, 1.0}) {
        p.setBrush(QColor(250, 150, 30));
        p.drawEllipse(fly + QPointF(side * 5, -3), 5, 4);
        p.setBrush(QColor(60, 150, 240));
        p.drawEllipse(fly + QPointF(side * 4, 3), 3.5, 3);
    }
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(fly, 1.2, 5);
}

}  // namespace

QImage PaintPuzzlePicture() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    PaintSky(p);
    PaintStars(p);
    PaintMoon(p);
    PaintPlanetAndComet(p);
    PaintRainbow(p);
    PaintSun(p);
    PaintCloud(p, QPointF(250, 42), 0.9, QColor(200, 200, 230, 235));
    PaintCloud(p, QPointF(150, 130), 0.75, QColor(230, 190, 200, 235));
    PaintCloud(p, QPointF(362, 158), 0.7, QColor(240, 200, 170, 235));
    PaintCloud(p, QPointF(40, 118), 0.55, QColor(170, 170, 220, 230));
    PaintBalloon(p, QPointF(205, 74), 0.95);
    PaintBalloon(p, QPointF(379, 88), 0.5);
    PaintKite(p);
    PaintBirds(p);
    PaintPaperPlane(p);
    PaintMountains(p);
    PaintFarHills(p);
    PaintWindmill(p);
    PaintRightHill(p);
    PaintFieldHill(p);
    const River river = MakeRiver();
    PaintRiver(p, river);
    PaintPath(p);
    PaintHouse(p);
    PaintPine(p, QPointF(262, 236), 26, QColor(40, 120, 70));
    PaintPine(p, QPointF(276, 242), 20, QColor(60, 140, 80));
    PaintRoundTree(p, QPointF(372, 262), 24, QColor(70, 160, 60), true, 3);
    PaintRoundTree(p, QPointF(24, 262), 22, QColor(200, 150, 40), false, 4);
    PaintRoundTree(p, QPointF(138, 300), 20, QColor(60, 140, 90), false, 5);
    PaintBridge(p);
    PaintFence(p);
    PaintSheep(p, QPointF(356, 292), true);
    PaintSheep(p, QPointF(380, 304), false);
    PaintSheep(p, QPointF(290, 284), false);
    PaintMeadow(p, river);
    return image;
}

}  // namespace halvoria::picturegen
