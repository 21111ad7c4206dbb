// The plain window furniture: the puzzle's frame, counter plate and headings, and the tile game's
// background with its score fields.
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "tools/pictures/Painters.h"

namespace halvoria::picturegen {
namespace {

constexpr std::array<int, 9> kFrameShadow = {112, 129, 157, 188, 215, 234, 246, 251, 254};
constexpr std::array<int, 8> kPlateShadow = {94, 117, 155, 194, 224, 242, 251, 254};

constexpr char kSerifFamily[] = "Liberation Serif";
constexpr char kSansFamily[] = "Liberation Sans";

// A white rectangle whose edges darken outwards through `levels` (outermost first). Where two
// edges meet the shades multiply, so the corners come out darker than either edge.
QImage PaintShadowedWhite(int width, int height, std::span<const int> levels) {
    QImage image(width, height, QImage::Format_RGB32);
    const auto shade = [&](int distance) {
        return distance < static_cast<int>(levels.size())
                   ? levels[static_cast<std::size_t>(distance)]
                   : 255;
    };
    for (int y = 0; y < height; ++y) {
        const int sy = shade(std::min(y, height - 1 - y));
        for (int x = 0; x < width; ++x) {
            const int sx = shade(std::min(x, width - 1 - x));
            const int v = (sx * sy + 127) / 255;
            image.setPixel(x, y, qRgb(v, v, v));
        }
    }
    return image;
}

// Share of white at `distance` pixels inside an edge that fades over `depth` pixels: the outermost
// pixel is the surrounding grey, `depth` pixels in is full white; an S-curve between, so the fade
// has no visible start or end.
double FadeIn(int distance, int depth) {
    if (distance >= depth) return 1.0;
    if (distance <= 0) return 0.0;
    const double t = static_cast<double>(distance) / depth;
    return t * t * (3.0 - 2.0 * t);
}

struct Field {
    int left, top, right, bottom;  // inclusive pixel bounds
    int fadeLeft, fadeTop, fadeRight, fadeBottom;
};

double FieldWhiteness(const Field& f, int x, int y) {
    if (x < f.left || x > f.right || y < f.top || y > f.bottom) return 0.0;
    return FadeIn(x - f.left, f.fadeLeft) * FadeIn(f.right - x, f.fadeRight) *
           FadeIn(y - f.top, f.fadeTop) * FadeIn(f.bottom - y, f.fadeBottom);
}

}  // namespace

bool FontsAvailable(QString* missing) {
    for (const char* family : {kSerifFamily, kSansFamily}) {
        if (QFontInfo(QFont(QString::fromLatin1(family))).family() != QLatin1String(family)) {
            if (missing) *missing = QString::fromLatin1(family);
            return false;
        }
    }
    return true;
}

QImage PaintFrame() { return PaintShadowedWhite(410, 410, kFrameShadow); }

QImage PaintPlate() { return PaintShadowedWhite(140, 26, kPlateShadow); }

QImage PaintCaption(const QString& words) {
    QImage image(150, 30, QImage::Format_RGB32);
    image.fill(Qt::black);

    QFont font(QString::fromLatin1(kSerifFamily));
    font.setPixelSize(21);
    font.setStyleStrategy(QFont::PreferAntialias);

    // One baseline for every heading: centre the span from the ascender to the descender, so
    // words with and without tall or hanging letters line up.
    QPainterPath reference;
    reference.addText(0, 0, font, QStringLiteral("lp"));
    const QRectF span = reference.boundingRect();
    const double baseline = std::round(15.0 - span.center().y());

    QPainterPath text;
    text.addText(0, 0, font, words);
    const double left = 28.0 - text.boundingRect().left();
    text.translate(std::ceil(left), baseline);  // no edge smoothing left of column 28

    QLinearGradient green(0, baseline + span.top(), 0, baseline + span.bottom());
    green.setColorAt(0.0, QColor(236, 255, 222));
    green.setColorAt(0.4, QColor(168, 232, 140));
    green.setColorAt(1.0, QColor(44, 146, 44));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(text, green);
    return image;
}

QImage PaintTileBackground() {
    constexpr int kWidth = 520;
    constexpr int kHeight = 294;
    const QColor grey(190, 189, 189);
    const std::array<Field, 3> fields = {{
        {0, 0, 519, 267, 9, 9, 9, 7},     // board: white from x 9 to 510, y 9 to 260
        {0, 268, 150, 289, 8, 7, 8, 7},   // "Score"
        {152, 268, 302, 289, 8, 7, 8, 7}  // "HighScore"
    }};

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            double white = 0.0;
            for (const Field& field : fields) white = std::max(white, FieldWhiteness(field, x, y));
            const auto mix = [&](int channel) {
                return static_cast<int>(std::lround(channel + (255 - channel) * white));
            };
            image.setPixel(x, y, qRgb(mix(grey.red()), mix(grey.green()), mix(grey.blue())));
        }
    }

    QFont font(QString::fromLatin1(kSansFamily));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::PreferAntialias);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(QColor(65, 126, 202));
    // Cap height centred on the fields' middle row.
    const QFontMetrics metrics(font);
    const int baseline = 279 + metrics.capHeight() / 2;
    painter.drawText(10, baseline, QStringLiteral("Score"));
    painter.drawText(161, baseline, QStringLiteral("HighScore"));
    return image;
}

}  // namespace halvoria::picturegen
