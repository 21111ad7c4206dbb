// The picture box as the games draw on it: panels copied by twips with fractional edges, filled
// boxes, pictures and auto-size, line controls, mouse presses and what the screen shows.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "common/core/Twips.h"
#include "common/qt/LineArray.h"
#include "common/qt/PictureBox.h"
#include "tests/support/QtApp.h"

namespace halvoria {
using testing::SameImage;
namespace {

// Every pixel tells where it came from, and none is white.
QRgb SourcePixel(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, 0x40 | ((x >> 8) & 3) | (((y >> 8) & 3) << 2));
}

QPoint DecodeSource(QRgb pixel) {
    const int blue = qBlue(pixel);
    return QPoint(qRed(pixel) | ((blue & 3) << 8), qGreen(pixel) | (((blue >> 2) & 3) << 8));
}

QImage CodedPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, SourcePixel(x, y));
    }
    return picture;
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class PictureBoxTest : public ::testing::Test {
  protected:
    // Before any member widget of a derived fixture is made.
    PictureBoxTest() { testing::EnsureQtApp(); }
};

struct GridCase {
    int width;
    int height;
    int n;
};

void PrintTo(const GridCase& grid, std::ostream* out) {
    *out << grid.width << "x" << grid.height << "_N" << grid.n;
}

class PanelGridTest : public PictureBoxTest, public ::testing::WithParamInterface<GridCase> {
  protected:
    // The board as the puzzle sets it up: the picture in a hidden holder, the board sized to it
    // and then cleared to white.
    void SetUp() override {
        const GridCase grid = GetParam();
        picture_ = CodedPicture(grid.width, grid.height);
        surface_.SetAutoSize(true);
        surface_.SetPicture(picture_);
        board_.SetAutoSize(true);
        board_.SetBackColor(kWhite);
        board_.SetPicture(picture_);
        board_.ClearPicture();
        w_ = board_.Width() / grid.n;
        h_ = board_.Height() / grid.n;
    }

    // Panel p (1-based) into cell (x, y) (1-based), with the single-precision destination corner
    // the games pass.
    void DrawPanel(int p, int x, int y) {
        const int n = GetParam().n;
        board_.PaintPicture(surface_, static_cast<float>((x - 1) * w_),
                            static_cast<float>((y - 1) * h_), w_, h_, ((p - 1) % n) * w_,
                            ((p - 1) / n) * h_, w_, h_);
    }

    // First pixel of cell index i (0-based) along an axis.
    static int Edge(int i, double cell) { return TwipsToPixelEdge(static_cast<float>(i * cell)); }

    QImage picture_;
    PictureBox surface_;
    PictureBox board_;
    double w_ = 0;
    double h_ = 0;
};

TEST_P(PanelGridTest, ClearedBoardKeepsItsSizeAndShowsWhite) {
    const GridCase grid = GetParam();
    EXPECT_EQ(board_.Width(), grid.width * 15.0);
    EXPECT_EQ(board_.Height(), grid.height * 15.0);
    EXPECT_TRUE(board_.Picture().isNull());
    EXPECT_TRUE(SameImage(board_.Image(), Filled(grid.width, grid.height, Qt::white)));
}

TEST_P(PanelGridTest, PanelsInTheirHomeCellsRebuildThePicturePixelForPixel) {
    const int n = GetParam().n;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (x == n && y == n) continue;  // the blank
            DrawPanel((y - 1) * n + x, x, y);
        }
    }
    // Everything but the blank cell is the picture; the blank stays white.
    QImage expected = picture_.copy();
    const QRect blank(QPoint(Edge(n - 1, w_), Edge(n - 1, h_)),
                      QPoint(expected.width() - 1, expected.height() - 1));
    for (int y = blank.top(); y <= blank.bottom(); ++y) {
        for (int x = blank.left(); x <= blank.right(); ++x) expected.setPixel(x, y, 0xFFFFFFFF);
    }
    EXPECT_TRUE(SameImage(board_.Image(), expected));
}

TEST_P(PanelGridTest, ShuffledPanelsLeaveNoGapAndNoOverlap) {
    const int n = GetParam().n;
    // Cell (x, y) shows panel (x + y, 2x + y) mod n (0-based): a one-to-one shuffle that puts
    // the narrow and wide panels of the far column and row into cells of every width.
    std::vector<int> panelOfCell(n * n);
    for (int c = 0; c < n * n; ++c) {
        const int x = c % n;
        const int y = c / n;
        panelOfCell[c] = ((2 * x + y) % n) * n + (x + y) % n;
    }
    for (int c = 0; c < n * n; ++c) DrawPanel(panelOfCell[c] + 1, c % n + 1, c / n + 1);

    const QImage image = board_.Image();
    int wrong = 0;
    for (int c = 0; c < n * n && wrong < 5; ++c) {
        const int p = panelOfCell[c];
        const int cellX = c % n;
        const int cellY = c / n;
        // The panel's own pixels, give or take the one pixel by which two cells' rounded edges
        // may differ.
        const QRect panel(QPoint(Edge(p % n, w_) - 1, Edge(p / n, h_) - 1),
                          QPoint(Edge(p % n + 1, w_), Edge(p / n + 1, h_)));
        const QPoint origin(Edge(cellX, w_), Edge(cellY, h_));
        const QPoint sourceOrigin = DecodeSource(image.pixel(origin));
        for (int y = origin.y(); y < Edge(cellY + 1, h_); ++y) {
            for (int x = origin.x(); x < Edge(cellX + 1, w_); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const QPoint source = DecodeSource(pixel);
                // Unscaled: the source moves one pixel for every pixel of the cell.
                const bool ok = pixel != 0xFFFFFFFF && panel.contains(source) &&
                                source == sourceOrigin + QPoint(x, y) - origin;
                if (!ok && ++wrong <= 5) {
                    ADD_FAILURE() << "cell " << c << " pixel (" << x << ", " << y
                                  << ") shows source (" << source.x() << ", " << source.y()
                                  << ") of panel " << p;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, PanelGridTest,
                         ::testing::Values(GridCase{399, 399, 4}, GridCase{399, 399, 5},
                                           GridCase{399, 399, 8}, GridCase{399, 399, 10},
                                           GridCase{301, 211, 4}, GridCase{250, 173, 10}));

TEST_F(PictureBoxTest, PanelSixOfTheBuiltInGridComesFromItsFractionalSourceCell) {
    const QImage picture = CodedPicture(399, 399);
    PictureBox surface;
    surface.SetPicture(picture);
    PictureBox board;
    board.resize(399, 399);
    board.SetBackColor(kWhite);
    board.PaintPicture(surface, 0, 0, 1496.25, 1496.25, 1496.25, 1496.25, 1496.25, 1496.25);
    const QImage image = board.Image();
    EXPECT_TRUE(SameImage(image.copy(0, 0, 100, 100), picture.copy(100, 100, 100, 100)));
    EXPECT_EQ(image.pixel(100, 100), 0xFFFFFFFFu);
}

TEST_F(PictureBoxTest, DifferentSizesScaleTheSource) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    picture.setPixel(0, 1, qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(0, 0, 0));
    PictureBox surface;
    surface.SetPicture(picture);
    PictureBox board;
    board.resize(40, 40);
    board.PaintPicture(surface, 0, 0, 600, 600, 0, 0, 30, 30);
    const QImage image = board.Image();
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(35, 5), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(5, 35), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(35, 35), qRgb(0, 0, 0));
}

class Recorder : public PictureSurface {
  public:
    void PaintPicture(const PictureSurface&, float, float, double, double, double, double, double,
                      double) override {}
    void FillBox(float, float, float, float, Colour) override {}
    void ClearPicture() override {}
    double Width() const override { return 1500; }
    double Height() const override { return 1500; }
    Colour BackColor() const override { return 0; }
};

TEST_F(PictureBoxTest, SourceWithoutPictureDrawsNothing) {
    PictureBox board;
    board.resize(50, 50);
    board.SetBackColor(kWhite);
    PictureBox empty;
    empty.resize(50, 50);
    board.PaintPicture(empty, 0, 0, 750, 750, 0, 0, 750, 750);
    Recorder other;
    board.PaintPicture(other, 0, 0, 750, 750, 0, 0, 750, 750);
    EXPECT_TRUE(SameImage(board.Image(), Filled(50, 50, Qt::white)));
}

TEST_F(PictureBoxTest, FillBoxCoversTheCellAndSparesItsNeighbours) {
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        QRect pixels;
    };
    const double w = 399 * 15 / 4.0;  // 1496.25 twips, cells of 100, 100, 99, 100 pixels
    const Case cases[] = {
        {"tile cell", 375, 375, 750, 750, QRect(25, 25, 25, 25)},
        {"corners swapped", 750, 750, 375, 375, QRect(25, 25, 25, 25)},
        {"fractional cell", static_cast<float>(2 * w), static_cast<float>(w),
         static_cast<float>(3 * w), static_cast<float>(2 * w), QRect(200, 100, 99, 100)},
        {"thinner than a pixel", 150, 150, 150, 300, QRect(10, 10, 1, 10)},
        {"beyond the box", -300, 5800, 99999, 99999, QRect(0, 387, 399, 12)},
    };
    for (const Case& c : cases) {
        PictureBox board;
        board.SetAutoSize(true);
        board.SetPicture(CodedPicture(399, 399));
        board.FillBox(c.x1, c.y1, c.x2, c.y2, 0x123456);
        QImage expected = CodedPicture(399, 399);
        for (int y = c.pixels.top(); y <= c.pixels.bottom(); ++y) {
            for (int x = c.pixels.left(); x <= c.pixels.right(); ++x) {
                expected.setPixel(x, y, qRgb(0x12, 0x34, 0x56));
            }
        }
        EXPECT_TRUE(SameImage(board.Image(), expected)) << c.what;
    }
}

TEST_F(PictureBoxTest, AutoSizeFollowsEachPictureAndBorderAddsItsWidth) {
    PictureBox box;
    box.SetAutoSize(true);
    box.SetPicture(CodedPicture(100, 50));
    EXPECT_EQ(box.size(), QSize(100, 50));
    EXPECT_EQ(box.Width(), 1500.0);
    EXPECT_EQ(box.Height(), 750.0);
    box.SetPicture(CodedPicture(30, 40));
    EXPECT_EQ(box.size(), QSize(30, 40));
    EXPECT_TRUE(SameImage(box.Image(), CodedPicture(30, 40)));

    PictureBox framed;
    framed.SetBorder(PictureBox::Border::Sunken3D);
    framed.SetAutoSize(true);
    framed.SetPicture(CodedPicture(100, 50));
    EXPECT_EQ(framed.size(), QSize(104, 54));
    EXPECT_EQ(framed.Width(), 104 * 15.0);
    EXPECT_TRUE(SameImage(framed.Image(), CodedPicture(100, 50)));

    // Without auto-size the box keeps its size and shows the picture from its top-left.
    PictureBox fixed;
    fixed.SetBackColor(0x000000);
    fixed.resize(60, 60);
    fixed.SetPicture(CodedPicture(100, 30));
    EXPECT_EQ(fixed.size(), QSize(60, 60));
    QImage expected = Filled(60, 60, Qt::black);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) expected.setPixel(x, y, SourcePixel(x, y));
    }
    EXPECT_TRUE(SameImage(fixed.Image(), expected));
    EXPECT_TRUE(SameImage(fixed.Picture(), CodedPicture(100, 30)));
}

TEST_F(PictureBoxTest, AssignedPictureReplacesDrawingAndCanBeCopiedToAnotherBox) {
    PictureBox holder;
    holder.SetPicture(CodedPicture(20, 20));
    PictureBox board;
    board.SetAutoSize(true);
    board.SetPicture(CodedPicture(40, 40));
    board.FillBox(0, 0, 300, 300, 0xFF0000);
    board.AssignPictureFrom(holder);
    EXPECT_TRUE(SameImage(board.Picture(), CodedPicture(20, 20)));
    EXPECT_TRUE(SameImage(board.Image(), CodedPicture(20, 20)));
    board.SetPicture(QImage());
    EXPECT_TRUE(board.Picture().isNull());
    EXPECT_EQ(board.size(), QSize(20, 20));
}

TEST_F(PictureBoxTest, DrawingSurvivesResizeAndIsWhatTheScreenShows) {
    QWidget window;
    PictureBox board(&window);
    board.SetBorder(PictureBox::Border::Sunken3D);
    board.SetBackColor(kWhite);
    board.resize(54, 54);
    board.FillBox(0, 0, 149, 149, 0x0000FF);  // 10 x 10 pixels
    board.resize(84, 84);
    QImage expected = Filled(80, 80, Qt::white);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) expected.setPixel(x, y, qRgb(0, 0, 255));
    }
    EXPECT_TRUE(SameImage(board.Image(), expected));

    window.resize(100, 100);
    window.show();
    const QImage shown = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(84, 84));
    EXPECT_TRUE(SameImage(shown.copy(2, 2, 80, 80), expected));
    // The border is drawn, not the drawing: its corner is not the background.
    EXPECT_NE(shown.pixel(0, 0), 0xFFFFFFFFu);
}

TEST_F(PictureBoxTest, ChildrenAndGeometryAreInTwipsInsideTheDrawingArea) {
    QWidget window;
    PictureBox panel(&window);
    panel.SetBorder(PictureBox::Border::Sunken3D);
    panel.SetGeometryTwips(0, 0, 9375, 6495);
    EXPECT_EQ(panel.geometry(), QRect(0, 0, 625, 433));
    PictureBox frame(&panel);
    frame.SetGeometryTwips(120, 120, 6150, 6150);
    EXPECT_EQ(frame.geometry(), QRect(10, 10, 410, 410));
    PictureBox board(&frame);
    board.SetGeometryTwips(75, 75, 6045, 6045);
    EXPECT_EQ(board.geometry(), QRect(5, 5, 403, 403));
    // Edges map one by one, so controls laid edge to edge touch.
    PictureBox left(&window);
    PictureBox right(&window);
    left.SetGeometryTwips(0, 0, 1496, 100);
    right.SetGeometryTwips(1496, 0, 1496, 100);
    EXPECT_EQ(left.geometry().right() + 1, right.geometry().left());
}

TEST_F(PictureBoxTest, LineControlsShowOnlyWhenVisibleAndOnlyInRendered) {
    PictureBox board;
    board.SetAutoSize(true);
    board.SetBackColor(kWhite);
    board.SetPicture(Filled(399, 399, Qt::white));
    LineArray xLine(board, 0, 480, 6000, 480);
    LineArray yLine(board, 600, 0, 600, 6000);
    EXPECT_EQ(xLine.Count(), 1);
    EXPECT_TRUE(SameImage(board.Rendered(), board.Image()));  // element 0 is hidden

    xLine.Load(1);
    yLine.Load(1);
    EXPECT_EQ(xLine.Count(), 2);
    EXPECT_FALSE(xLine(1).Visible());
    EXPECT_EQ(xLine(1).Y1(), 480);
    EXPECT_TRUE(SameImage(board.Rendered(), board.Image()));

    xLine(1).SetEnds(0, 1496, 5985, 1496);
    xLine(1).SetVisible(true);
    yLine(1).SetEnds(2992, 0, 2992, 5985);
    yLine(1).SetVisible(true);
    // A line on the far edge falls outside the box and is clipped.
    xLine.Load(2);
    xLine(2).SetEnds(0, 5984, 5985, 5984);
    xLine(2).SetVisible(true);

    const QImage rendered = board.Rendered();
    QImage expected = Filled(399, 399, Qt::white);
    for (int i = 0; i < 399; ++i) {
        expected.setPixel(i, 100, qRgb(0, 0, 0));
        expected.setPixel(199, i, qRgb(0, 0, 0));  // 2992 twips is nearer pixel edge 199
    }
    EXPECT_TRUE(SameImage(rendered, expected));
    EXPECT_TRUE(SameImage(board.Image(), Filled(399, 399, Qt::white)));

    xLine(1).SetVisible(false);
    yLine(1).SetVisible(false);
    EXPECT_TRUE(SameImage(board.Rendered(), board.Image()));
}

TEST_F(PictureBoxTest, LinesOutlivingTheirBoxDoNotCrash) {
    auto board = std::make_unique<PictureBox>();
    LineArray lines(*board, 0, 0, 100, 0);
    lines(3).SetVisible(true);
    EXPECT_EQ(lines.Count(), 2);
    board.reset();
    lines(3).SetEnds(0, 15, 300, 15);
    EXPECT_EQ(lines(3).Y1(), 15);
}

TEST_F(PictureBoxTest, MousePressReportsButtonShiftAndTwips) {
    QWidget window;
    window.resize(200, 200);
    PictureBox board(&window);
    board.SetBorder(PictureBox::Border::Sunken3D);
    board.setGeometry(0, 0, 104, 104);
    window.show();
    QSignalSpy presses(&board, &PictureBox::MousePressed);

    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, QPoint(12, 22));
    QTest::mousePress(&board, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                      QPoint(2, 2));
    QTest::mousePress(&board, Qt::MiddleButton, Qt::AltModifier, QPoint(101, 50));
    // On the border: no position in the drawing area.
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, QPoint(1, 50));
    QTest::mousePress(&board, Qt::LeftButton, Qt::NoModifier, QPoint(102, 50));

    ASSERT_EQ(presses.count(), 3);
    const QList<QVariant> first = presses.at(0);
    EXPECT_EQ(first.at(0).toInt(), 1);
    EXPECT_EQ(first.at(1).toInt(), 0);
    EXPECT_FLOAT_EQ(first.at(2).toFloat(), 150.0f);
    EXPECT_FLOAT_EQ(first.at(3).toFloat(), 300.0f);
    const QList<QVariant> second = presses.at(1);
    EXPECT_EQ(second.at(0).toInt(), 2);
    EXPECT_EQ(second.at(1).toInt(), 3);
    EXPECT_FLOAT_EQ(second.at(2).toFloat(), 0.0f);
    const QList<QVariant> third = presses.at(2);
    EXPECT_EQ(third.at(0).toInt(), 4);
    EXPECT_EQ(third.at(1).toInt(), 4);
    EXPECT_FLOAT_EQ(third.at(2).toFloat(), 99 * 15.0f);
}

}  // namespace
}  // namespace halvoria
