// Playing in the window: F2 deals and draws the board, presses slide panels on screen, the clock
// labels follow the tick count, completion shows the score and keeps the best, F4 leaves.
#include <QPainter>
#include <utility>

#include "WindowFixture.h"
#include "common/qt/ImageView.h"
#include "common/qt/Label.h"
#include "common/qt/LineArray.h"
#include "resources/pictures/BuiltinPictures.h"

namespace zorvat::testing {
namespace {

// 320 x 320 pixels (within the built-in picture's 399, so shown at its own size): a 4 x 4 board of
// exactly 80-pixel panels, every pixel telling its place.
QImage GridPicture() {
    QImage image(320, 320, QImage::Format_RGB32);
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 320; ++x) {
            image.setPixel(x, y,
                           qRgb((x * 255) / 319, (y * 255) / 319, ((x / 80) * 4 + y / 80) * 16));
        }
    }
    return image;
}

// What the 320-pixel board must show for a layout: each panel copied from its home place, the
// blank white.
QImage ExpectedBoard(const QImage& picture, const PuzzleGame& game) {
    const int n = game.panelSize;
    const int side = picture.width() / n;
    QImage expected(picture.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            const int p = game.board[x][y];
            if (p == n * n) continue;
            painter.drawImage(QPoint((x - 1) * side, (y - 1) * side), picture,
                              QRect(((p - 1) % n) * side, ((p - 1) / n) * side, side, side));
        }
    }
    return expected;
}

std::pair<int, int> Blank(const PuzzleGame& game) {
    const int n = game.panelSize;
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            if (game.board[x][y] == n * n) return {x, y};
        }
    }
    return {0, 0};
}

class PlayTest : public WindowTest {
  protected:
    void UseGridPicture() {
        picture = GridPicture();
        ASSERT_TRUE(picture.save(ProgramFolder() + "grid.bmp"));
        Store({{"Picture", "grid.bmp"}});
    }

    QImage picture;
};

TEST_F(PlayTest, F2DealsTheBoardAndPressesSlideItsPanels) {
    UseGridPicture();
    ZorvatFrm& window = Open();
    const PuzzleGame& game = window.Game();
    ASSERT_EQ(window.PictureName(), "grid.bmp");
    ASSERT_EQ(window.PicBox().Width(), 4800.0);

    Key(Qt::Key_F2);
    ASSERT_TRUE(game.playing);
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), ExpectedBoard(picture, game)), "");
    EXPECT_EQ(window.TimesLbl().Caption(), "0 ");
    EXPECT_EQ(window.TimeLbl().Caption(), "0 ");
    EXPECT_EQ(window.ScoreLbl().Caption(), "0-0% ");

    // Four lines each way, every 1200 twips; the rest stay hidden.
    for (int k = 1; k <= 15; ++k) {
        const halvoria::LineControl& across = window.XLine()(k);
        const halvoria::LineControl& down = window.YLINE()(k);
        EXPECT_EQ(across.Visible(), k <= 4) << k;
        EXPECT_EQ(down.Visible(), k <= 4) << k;
        if (k > 4) continue;
        EXPECT_EQ(std::make_tuple(across.X1(), across.Y1(), across.X2(), across.Y2()),
                  std::make_tuple(0, 1200 * k, 4800, 1200 * k));
        EXPECT_EQ(std::make_tuple(down.X1(), down.Y1(), down.X2(), down.Y2()),
                  std::make_tuple(1200 * k, 0, 1200 * k, 4800));
    }
    // The lines show on top of the board, not in its drawing.
    const QImage rendered = window.PicBox().Rendered();
    EXPECT_EQ(QColor(rendered.pixel(50, 80)), QColor(Qt::black));
    EXPECT_NE(QColor(window.PicBox().Image().pixel(50, 80)), QColor(Qt::black));

    const std::string folder = ProgramFolder().toStdString();
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                       Qt::LeftButton, Qt::LeftButton,  Qt::LeftButton};
    std::size_t soundsExpected = 0;
    int slides = 0;
    for (const Qt::MouseButton button : buttons) {
        if (slides == 4) window.Menu().SoundOff->trigger();
        const auto [bx, by] = Blank(game);
        // A neighbour of the blank, found from the board alone.
        const int px = bx > 1 ? bx - 1 : bx + 1;
        const int panel = game.board[px][by];
        PressCell(px, by, button);
        ++slides;
        if (slides <= 4) ++soundsExpected;
        const std::string label = "slide " + std::to_string(slides);
        EXPECT_EQ(game.board[bx][by], panel) << label;
        EXPECT_EQ(game.board[px][by], 16) << label;
        EXPECT_EQ(game.moveCount, slides) << label;
        EXPECT_EQ(window.TimesLbl().Caption(), " " + std::to_string(slides) + " ") << label;
        EXPECT_EQ(window.ScoreLbl().Caption().front(), ' ') << label;
        EXPECT_EQ(sounds.size(), soundsExpected) << label;
        EXPECT_EQ(FirstDifference(window.PicBox().Image(), ExpectedBoard(picture, game)), "")
            << label;
    }
    EXPECT_EQ(sounds.front(), folder + "poka!.wav|1");

    // Presses that slide nothing: the blank itself, and a panel two cells away in its row.
    const auto [bx, by] = Blank(game);
    std::vector<std::pair<int, int>> still = {{bx, by}};
    if (bx >= 3) still.push_back({bx - 2, by});
    if (bx <= 2) still.push_back({bx + 2, by});
    for (const auto& [x, y] : still) {
        PressCell(x, y);
        EXPECT_EQ(game.moveCount, slides);
        EXPECT_EQ(Blank(game), std::make_pair(bx, by));
    }
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), ExpectedBoard(picture, game)), "");
}

TEST_F(PlayTest, HomePanelsOfTheBuiltInPictureAreCopiedPixelForPixel) {
    Store({{"RefreshTimes", "0"}, {"PanelSize", "8"}});
    ZorvatFrm& window = Open();
    Key(Qt::Key_F2);
    ASSERT_TRUE(window.Game().playing);
    // Solved: everything but the blank cell, whose edges come from the same twip mapping.
    QImage expected = QImage(QString::fromLatin1(halvoria::pictures::kPuzzle))
                          .convertToFormat(QImage::Format_RGB32);
    const int blankLeft = halvoria::TwipsToPixelEdge(7 * (5985.0 / 8));
    QPainter(&expected).fillRect(QRect(blankLeft, blankLeft, 399 - blankLeft, 399 - blankLeft),
                                 Qt::white);
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), expected), "");
}

TEST_F(PlayTest, ClockLabelsFollowTheTickCount) {
    struct Case {
        std::uint32_t start;
        std::uint32_t elapsed;
        std::string time;
    };
    const Case cases[] = {
        {50000, 999, " 0 "},
        {50000, 1000, " 1 "},
        {50000, 61999, " 61 "},
        {0xFFFFFE00u, 2500, " 2 "},  // across the wrap of the 32-bit counter
    };
    for (const Case& c : cases) {
        now = c.start;
        ZorvatFrm& window = Open();
        window.Timer1_Timer();  // outside a game a tick changes nothing
        EXPECT_EQ(window.TimeLbl().Caption(), "0 ");
        EXPECT_EQ(window.ScoreLbl().Caption(), "0 ");
        Key(Qt::Key_F2);
        now = c.start + c.elapsed;
        window.Timer1_Timer();
        EXPECT_EQ(window.TimeLbl().Caption(), c.time) << c.elapsed;
        const std::string score = window.ScoreLbl().Caption();
        EXPECT_EQ(score.front(), ' ') << score;
        EXPECT_EQ(score.substr(score.size() - 2), "% ") << score;
        EXPECT_EQ(window.TimesLbl().Caption(), "0 ");
    }
}

TEST_F(PlayTest, TheWindowTimerDrivesTheClock) {
    ZorvatFrm& window = Open();
    Key(Qt::Key_F2);
    now += 3000;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.TimeLbl().Caption() == " 3 "; }, 5000));
}

TEST_F(PlayTest, CompletionShowsTheScoreAndKeepsTheBest) {
    struct Case {
        QString panelSize;
        std::map<QString, QString> best;  // stored before
        bool mark;
        std::map<QString, QString> storedAfter;
    };
    const std::vector<Case> cases = {
        {"4", {}, true, {{"HiScore1", "1010"}, {"HiScore2", "0"}}},
        {"4", {{"HiScore1", "1010"}}, false, {{"HiScore1", "1010"}}},
        {"4", {{"HiScore1", "1009"}}, true, {{"HiScore1", "1010"}}},
        {"4", {{"HiScore1", "5000"}}, false, {{"HiScore1", "5000"}}},
        {"5", {{"HiScore1", "7"}}, true, {{"HiScore1", "7"}, {"HiScore2", "1010"}}},
        {"8", {}, true, {{"HiScore3", "1010"}}},
        {"10", {}, true, {{"HiScore4", "1010"}, {"HiScore3", "0"}}},
        {"6",
         {},
         false,
         {{"HiScore1", "0"}, {"HiScore2", "0"}, {"HiScore3", "0"}, {"HiScore4", "0"}}},
    };
    for (const Case& c : cases) {
        RemoveStore();
        std::map<QString, QString> stored = c.best;
        stored["RefreshTimes"] = "0";
        stored["PanelSize"] = c.panelSize;
        Store(stored);
        boxes.clear();
        commands.clear();
        now = 1000;
        ZorvatFrm& window = Open();
        Key(Qt::Key_F2);
        ASSERT_TRUE(window.Game().playing);
        now = 3000;
        // The board starts solved: a press that slides nothing completes it, 2 s in: 1010 points.
        PressCell(1, 1);
        const std::string label = "size " + c.panelSize.toStdString();
        EXPECT_FALSE(window.Game().playing) << label;
        ASSERT_EQ(boxes.size(), 1u) << label;
        EXPECT_EQ(boxes[0], (Box{std::string("Congratulations! ゲームクリア\r\n\r\nスコア：1010") +
                                     (c.mark ? "（ハイスコア）" : ""),
                                 64, "Mirelda"}))
            << label;
        // The tune closes after the box, once.
        EXPECT_EQ(boxes[0].commandsBefore, 1u) << label;
        EXPECT_EQ(commands, (std::vector<std::string>{TuneCommand("play"), TuneCommand("close")}))
            << label;
        EXPECT_EQ(window.ScoreLbl().Caption(), " 1010-100% ") << label;

        // The whole picture, no lines; further presses and ticks change nothing.
        EXPECT_EQ(FirstDifference(window.PicBox().Image(), window.PicSurfaceBox().Picture()), "")
            << label;
        window.XLine().ForEach(
            [&](int, const halvoria::LineControl& line) { EXPECT_FALSE(line.Visible()) << label; });
        const std::string time = window.TimeLbl().Caption();
        now = 9000;
        PressCell(2, 2);
        window.Timer1_Timer();
        EXPECT_EQ(boxes.size(), 1u) << label;
        EXPECT_EQ(window.ScoreLbl().Caption(), " 1010-100% ") << label;
        EXPECT_EQ(window.TimeLbl().Caption(), time) << label;

        window.close();
        for (const auto& [key, value] : c.storedAfter) {
            EXPECT_EQ(Stored(key), value) << label << " " << key.toStdString();
        }
    }
}

TEST_F(PlayTest, ExitDuringAGameClosesAtOnceAndStillSaves) {
    Store({{"RefreshTimes", "0"}, {"PanelSize", "5"}});
    ZorvatFrm& window = Open();
    Key(Qt::Key_F2);
    ASSERT_TRUE(window.Game().playing);
    window.Menu().SoundOff->trigger();
    commands.clear();
    Key(Qt::Key_F4);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(commands, std::vector<std::string>{TuneCommand("close")});
    EXPECT_EQ(Stored("PanelSize"), "5");
    EXPECT_EQ(Stored("Sound"), "False");
    EXPECT_EQ(Stored("HiScore2"), "0");  // a solved board abandoned is not scored
    EXPECT_FALSE(window.Timer1().isActive());
}

}  // namespace
}  // namespace zorvat::testing
