// The window icon of both games: a bevelled blue square lettered "HV" in gold pixel letters over a
// row of four small tiles. Hand-set pixels at 32 x 32 in 16 colours for the icon file; drawn
// afresh at each larger size for the desktop's icon theme.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "tools/pictures/Painters.h"

namespace halvoria::picturegen {
namespace {

enum Colour : int {
    kBlack,
    kOutline,
    kDeepBlue,
    kMidBlue,
    kLightBlue,
    kPaleBlue,
    kWhite,
    kGoldDark,
    kGold,
    kGoldLight,
    kRed,
    kGreen,
    kCopper,
    kSilver,
    kShadow,
    kTeal,
};

const IconPalette kPalette = {
    qRgb(0, 0, 0),      qRgb(16, 24, 64),    qRgb(28, 52, 128),   qRgb(44, 88, 180),
    qRgb(90, 140, 220), qRgb(170, 205, 250), qRgb(255, 255, 255), qRgb(150, 96, 16),
    qRgb(236, 180, 40), qRgb(255, 232, 130), qRgb(210, 60, 50),   qRgb(70, 170, 80),
    qRgb(190, 100, 50), qRgb(190, 195, 205), qRgb(10, 16, 40),    qRgb(40, 170, 180),
};

// 5 x 7 pixel letters.
constexpr std::array<const char*, 7> kLetterH = {"#...#", "#...#", "#...#", "#####",
                                                 "#...#", "#...#", "#...#"};
constexpr std::array<const char*, 7> kLetterV = {"#...#", "#...#", "#...#", "#...#",
                                                 ".#.#.", ".#.#.", "..#.."};

// Layout in units of 1/32 of the icon's side.
constexpr int kLetterCell = 2;
constexpr int kLetterTop = 5;
constexpr std::array<int, 2> kLetterLeft = {5, 17};
constexpr int kTileTop = 22;
constexpr int kTileSide = 4;
constexpr std::array<int, 4> kTileLeft = {5, 11, 17, 23};
constexpr std::array<Colour, 4> kTileColour = {kGold, kRed, kGreen, kTeal};

template <typename Visit>
void ForEachLetterCell(Visit visit) {
    const std::array<const std::array<const char*, 7>*, 2> letters = {&kLetterH, &kLetterV};
    for (std::size_t l = 0; l < letters.size(); ++l) {
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 5; ++col) {
                if ((*letters[l])[static_cast<std::size_t>(row)][col] == '#') visit(l, col, row);
            }
        }
    }
}

}  // namespace

const IconPalette& EmblemPalette() { return kPalette; }

QImage PaintEmblemPixels() {
    constexpr int kSide = 32;
    std::array<std::array<int, kSide>, kSide> px{};  // [y][x], -1 transparent
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int ring = std::min({x, y, kSide - 1 - x, kSide - 1 - y});
            const bool lit = x + y < kSide - 1;  // upper-left half of the bevel
            // The face darkens from the letters down to the tiles, through one dithered row.
            int c = y < 19 ? kMidBlue : (y == 19 && x % 2 == 0 ? kMidBlue : kDeepBlue);
            if (ring == 0) {
                c = kOutline;
            } else if (ring == 1) {
                c = lit ? kPaleBlue : kDeepBlue;
            } else if (ring == 2) {
                c = lit ? kLightBlue : kDeepBlue;
            }
            px[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
        }
    }
    // Rounded outer corners.
    for (const auto& [x, y] : std::array<std::pair<int, int>, 4>{
             {{0, 0}, {kSide - 1, 0}, {0, kSide - 1}, {kSide - 1, kSide - 1}}}) {
        px[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = -1;
    }
    const auto set = [&](int x, int y, int c) {
        px[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
    };
    // Letter shadows first, one pixel down and right, then the letters: light gold above.
    const auto fillCell = [&](std::size_t letter, int col, int row, int offset, int c) {
        const int x = kLetterLeft[letter] + col * kLetterCell + offset;
        const int y = kLetterTop + row * kLetterCell + offset;
        for (int dy = 0; dy < kLetterCell; ++dy)
            for (int dx = 0; dx < kLetterCell; ++dx) set(x + dx, y + dy, c);
    };
    ForEachLetterCell(
        [&](std::size_t letter, int col, int row) { fillCell(letter, col, row, 1, kShadow); });
    ForEachLetterCell([&](std::size_t letter, int col, int row) {
        fillCell(letter, col, row, 0, row < 3 ? kGoldLight : (row < 6 ? kGold : kGoldDark));
    });
    for (std::size_t i = 0; i < kTileLeft.size(); ++i) {
        const int left = kTileLeft[i];
        for (int dy = 0; dy <= kTileSide; ++dy) {
            for (int dx = 0; dx <= kTileSide; ++dx) {
                const bool edge = dx == kTileSide || dy == kTileSide;
                const bool shine = dx == 0 && dy == 0;
                set(left + dx, kTileTop + dy, edge ? kShadow : (shine ? kWhite : kTileColour[i]));
            }
        }
    }

    QImage image(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int c = px[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            image.setPixel(x, y, c < 0 ? qRgba(0, 0, 0, 0) : kPalette[static_cast<std::size_t>(c)]);
        }
    }
    return image;
}

QImage PaintEmblem(int size) {
    if (size <= 32) return PaintEmblemPixels().scaled(size, size);
    const double u = size / 32.0;
    const auto colour = [](Colour c) { return QColor(kPalette[static_cast<std::size_t>(c)]); };

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Body: outline, then the bevel as two halves, then the face.
    const QRectF outer(0, 0, size, size);
    p.setPen(Qt::NoPen);
    p.setBrush(colour(kOutline));
    p.drawRoundedRect(outer, 1.6 * u, 1.6 * u);

    const QRectF bevel = outer.adjusted(u, u, -u, -u);
    QPainterPath bevelPath;
    bevelPath.addRoundedRect(bevel, 1.0 * u, 1.0 * u);
    QPainterPath litHalf;
    litHalf.moveTo(0, 0);
    litHalf.lineTo(size, 0);
    litHalf.lineTo(0, size);
    litHalf.closeSubpath();
    QLinearGradient lit(0, 0, size / 2.0, size / 2.0);
    lit.setColorAt(0.0, colour(kPaleBlue));
    lit.setColorAt(1.0, colour(kLightBlue));
    p.setBrush(colour(kDeepBlue));
    p.drawPath(bevelPath);
    p.setBrush(lit);
    p.drawPath(bevelPath.intersected(litHalf));

    const QRectF face = outer.adjusted(3 * u, 3 * u, -3 * u, -3 * u);
    QLinearGradient faceShade(0, face.top(), 0, face.bottom());
    faceShade.setColorAt(0.0, colour(kLightBlue));
    faceShade.setColorAt(0.5, colour(kMidBlue));
    faceShade.setColorAt(0.62, colour(kDeepBlue));
    faceShade.setColorAt(1.0, colour(kDeepBlue));
    p.setBrush(faceShade);
    p.drawRoundedRect(face, 0.5 * u, 0.5 * u);

    // Pixel letters stay blocky: whole-pixel cells with no smoothing.
    p.setRenderHint(QPainter::Antialiasing, false);
    const int cell = static_cast<int>(std::lround(kLetterCell * u));
    const int drop = std::max(1, static_cast<int>(std::lround(u)));
    const auto at = [&](int units) { return static_cast<int>(std::lround(units * u)); };
    const auto cellRect = [&](std::size_t letter, int col, int row) {
        return QRect(at(kLetterLeft[letter]) + col * cell, at(kLetterTop) + row * cell, cell, cell);
    };
    p.setBrush(colour(kShadow));
    ForEachLetterCell([&](std::size_t letter, int col, int row) {
        p.drawRect(cellRect(letter, col, row).translated(drop, drop));
    });
    QLinearGradient gold(0, at(kLetterTop), 0, at(kLetterTop) + 7 * cell);
    gold.setColorAt(0.0, colour(kGoldLight));
    gold.setColorAt(0.55, colour(kGold));
    gold.setColorAt(1.0, colour(kGoldDark));
    p.setBrush(gold);
    ForEachLetterCell(
        [&](std::size_t letter, int col, int row) { p.drawRect(cellRect(letter, col, row)); });

    // The four small tiles, with a shadow edge below and right and a highlight corner.
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < kTileLeft.size(); ++i) {
        const QRectF tile(at(kTileLeft[i]), at(kTileTop), kTileSide * u, kTileSide * u);
        p.setBrush(colour(kShadow));
        p.drawRoundedRect(tile.translated(drop, drop), 0.5 * u, 0.5 * u);
        QLinearGradient shade(tile.topLeft(), tile.bottomRight());
        const QColor base = colour(kTileColour[i]);
        shade.setColorAt(0.0, base.lighter(150));
        shade.setColorAt(0.45, base);
        shade.setColorAt(1.0, base.darker(130));
        p.setBrush(shade);
        p.drawRoundedRect(tile, 0.5 * u, 0.5 * u);
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace halvoria::picturegen
