// Keyboard and screen-reader play in the puzzle window: a game from F2 to a stored best score by
// keys alone, the board and counters as a screen reader reads them, and menu marks drawn only
// on checked items.
#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <utility>

#include "WindowFixture.h"
#include "common/qt/Label.h"
#include "puzzle/engine/BoardText.h"
#include "tests/support/MenuMarks.h"

namespace zorvat::testing {
namespace {

class KeyboardTest : public WindowTest {
  protected:
    // A key as the player gives it: to the widget that has the keyboard focus.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
    }

    static std::pair<int, int> Blank(const PuzzleGame& game) {
        const Cell blank = game.BlankCell();
        return {blank.x, blank.y};
    }
};

TEST_F(KeyboardTest, AGameFromF2ToAStoredBestByKeysAlone) {
    Store({{"RefreshTimes", "1"}});
    ZorvatFrm& window = Open();
    EXPECT_EQ(QApplication::focusWidget(), &window.PicBox()) << "the board takes the keyboard";
    Press(Qt::Key_F2);
    const PuzzleGame& game = window.Game();
    ASSERT_TRUE(game.playing);

    // One shuffle slide left the blank above or beside the bottom-right corner. Away from it
    // and back, then home.
    const std::pair<int, int> start = Blank(game);
    const bool above = start == std::make_pair(4, 3);
    ASSERT_TRUE(above || start == std::make_pair(3, 4));
    const Qt::Key keys[3] = {above ? Qt::Key_Right : Qt::Key_Down,
                             above ? Qt::Key_Left : Qt::Key_Up, above ? Qt::Key_Up : Qt::Key_Left};
    Press(keys[0]);
    EXPECT_EQ(Blank(game), std::make_pair(3, 3));
    EXPECT_EQ(window.TimesLbl().Caption(), " 1 ");
    Press(keys[1]);
    EXPECT_EQ(Blank(game), start);
    now += 20000;
    Press(keys[2]);

    EXPECT_FALSE(game.playing);
    EXPECT_EQ(game.moveCount, 3);
    EXPECT_EQ(sounds.size(), 3u);
    EXPECT_EQ(window.TimesLbl().Caption(), " 3 ");
    // (10100 - 30 - 20) / 10
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CompletionMessage(1005, true));
    EXPECT_EQ(window.ScoreLbl().Caption(), " 1005-100% ");
    Press(Qt::Key_F4);
    EXPECT_EQ(Stored("HiScore1"), "1005");
}

TEST_F(KeyboardTest, ArrowsWithAModifierOrOutsideAGameSlideNothing) {
    Store({{"RefreshTimes", "0"}});
    ZorvatFrm& window = Open();
    Press(Qt::Key_Right);
    EXPECT_EQ(window.TimesLbl().Caption(), "0 ");
    Press(Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(window.Game().moveCount, 0);
    EXPECT_TRUE(window.Game().playing);
}

TEST_F(KeyboardTest, TheBoardAndTheCountersAsAScreenReaderReadsThem) {
    Store({{"RefreshTimes", "0"}});
    ZorvatFrm& window = Open();
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&window.PicBox());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Grouping);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("パズルの盤"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("4×4。ゲームは進行していません。F2 で開始します。"));
    EXPECT_EQ(board->childCount(), 0);

    Key(Qt::Key_F2);
    ASSERT_EQ(board->childCount(), 16);
    EXPECT_EQ(board->text(QAccessible::Description),
              QString::fromStdString(BoardDescription(window.Game())));
    QAccessibleInterface* corner = board->child(15);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->role(), QAccessible::Cell);
    EXPECT_EQ(corner->text(QAccessible::Name), QStringLiteral("空きマス"));
    EXPECT_EQ(corner->parent(), board);
    EXPECT_EQ(board->indexOfChild(corner), 15);
    EXPECT_EQ(board->child(15), corner) << "a cell read twice is the same object";
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), QStringLiteral("パネル 1"));
    // The cell's place on the screen: the board's bottom-right quarter of 399 pixels.
    const QRect cornerRect = corner->rect();
    const QPoint boardOrigin = window.PicBox().mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(cornerRect.topLeft() - boardOrigin, QPoint(299, 299));
    EXPECT_EQ(board->childAt(cornerRect.center().x(), cornerRect.center().y()), corner);

    Key(Qt::Key_Right);
    EXPECT_EQ(corner->text(QAccessible::Name), QStringLiteral("パネル 15"));
    EXPECT_EQ(corner->text(QAccessible::Description),
              QStringLiteral("4 列 4 行、正しい位置は 3 列 4 行"));
    EXPECT_TRUE(
        board->text(QAccessible::Description).contains(QStringLiteral("空きマスは 3 列 4 行")));

    const auto name = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(window.TimesLbl()), QStringLiteral("手数 1"));
    EXPECT_EQ(name(window.TimeLbl()), QStringLiteral("経過秒数 0"));
    EXPECT_TRUE(name(window.ScoreLbl()).startsWith(QStringLiteral("スコア ")));
    EXPECT_TRUE(name(window.ScoreLbl()).endsWith(QStringLiteral("-87%")));

    // Solved again: the game ends and the board reads as the whole picture.
    Key(Qt::Key_Left);
    EXPECT_FALSE(window.Game().playing);
    EXPECT_EQ(board->childCount(), 0);
}

// The size, picture, sound and music items stay checkable; only a checked one shows a mark.
TEST_F(KeyboardTest, OnlyCheckedMenuItemsShowAMark) {
    ZorvatFrm& window = Open();
    QMenu* sound = window.Menu().SoundMenu;
    ASSERT_TRUE(window.Menu().SoundOn->isChecked());
    ASSERT_FALSE(window.Menu().SoundOff->isChecked());
    EXPECT_TRUE(window.Menu().SoundOff->isCheckable());
    emit sound->aboutToShow();
    sound->adjustSize();
    EXPECT_GT(halvoria::testing::InkInMarkColumn(sound, window.Menu().SoundOn), 10);
    EXPECT_EQ(halvoria::testing::InkInMarkColumn(sound, window.Menu().SoundOff), 0);
}

}  // namespace
}  // namespace zorvat::testing
