// The picture box on a screen of two device pixels to a logical pixel: the layout stays in
// logical pixels and twips while the backing image gets the finer pixels.
#include <gtest/gtest.h>

#include <QApplication>

#include "common/qt/LineArray.h"
#include "common/qt/PictureBox.h"

namespace halvoria {
namespace {

class PictureBoxHiDpiTest : public ::testing::Test {
  protected:
    PictureBoxHiDpiTest() {
        static int argc = 1;
        static char name[] = "halvoria_qt_hidpi_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            qputenv("QT_SCALE_FACTOR", "2");
            new QApplication(argc, argv);
        }
    }
};

TEST_F(PictureBoxHiDpiTest, LayoutStaysLogicalAndDrawingUsesDevicePixels) {
    PictureBox board;
    ASSERT_EQ(board.devicePixelRatioF(), 2.0);
    board.SetBackColor(kWhite);
    board.SetGeometryTwips(0, 0, 1500, 750);
    EXPECT_EQ(board.size(), QSize(100, 50));
    EXPECT_EQ(board.Width(), 1500.0);

    board.FillBox(150, 150, 300, 300, 0xFF0000);  // logical pixels 10..19
    LineArray lines(board, 0, 600, 1500, 600);
    lines(1).SetVisible(true);  // logical row 40

    const QImage image = board.Image();
    EXPECT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(39, 39), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(40, 40), qRgb(255, 255, 255));

    const QImage rendered = board.Rendered();
    EXPECT_EQ(rendered.pixel(100, 80), qRgb(0, 0, 0));
    EXPECT_EQ(rendered.pixel(100, 81), qRgb(0, 0, 0));
    EXPECT_EQ(rendered.pixel(100, 82), qRgb(255, 255, 255));
}

TEST_F(PictureBoxHiDpiTest, PanelsStillMeetWithoutGaps) {
    QImage picture(399, 399, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    PictureBox surface;
    surface.SetPicture(picture);
    PictureBox board;
    board.SetAutoSize(true);
    board.SetBackColor(kWhite);
    board.SetPicture(picture);
    board.ClearPicture();
    const double w = board.Width() / 4;
    for (int c = 0; c < 16; ++c) {
        const int x = c % 4;
        const int y = c / 4;
        board.PaintPicture(surface, static_cast<float>(x * w), static_cast<float>(y * w), w, w,
                           x * w, y * w, w, w);
    }
    const QImage image = board.Image();
    ASSERT_EQ(image.size(), QSize(798, 798));
    int mismatched = 0;
    for (int py = 0; py < image.height(); ++py) {
        for (int px = 0; px < image.width(); ++px)
            mismatched += image.pixel(px, py) != qRgb(10, 20, 30);
    }
    EXPECT_EQ(mismatched, 0);
}

}  // namespace
}  // namespace halvoria
