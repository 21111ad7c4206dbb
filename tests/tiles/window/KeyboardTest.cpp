// Window tests of the tile game: play from the keyboard with the cell cursor, the group preview
// and what a screen reader reads.
#include <QAccessible>

#include "tests/support/MenuMarks.h"
#include "tests/tiles/window/Form1Fixture.h"

namespace quendle::testing {

// Rows 8 and 9 of a checkerboard: a pair of 0s at the left, ten 1s, and the rest without groups.
Layout KeyBoard() {
    Layout rows = Checkerboard();
    rows[9].replace(0, 12, "001111111111");
    return rows;
}

class Form1KeyTest : public Form1Test {
  protected:
    // A key as the player gives it: to the widget that has the keyboard focus.
    void Press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key);
    }
    void Hover(int x, int y) {
        QTest::mouseMove(&form_->GamePicBox(), QPoint(25 * x + 12, 25 * y + 12));
    }
    bool Marked(int x, int y) { return form_->Preview().member[x][y]; }
    // The board as the screen shows it, with the preview and the cursor over it.
    QImage OnScreen() {
        return form_->GamePicBox().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(Form1KeyTest, AGameFromF2ToAStoredBestByKeysAlone) {
    // The left half of one kind, the right half of another: two presses clear the board.
    Layout halves(10, std::string(10, '0') + std::string(10, '2'));
    Open(halves);
    EXPECT_EQ(QApplication::focusWidget(), &form_->GamePicBox()) << "the board takes the keyboard";
    Press(Qt::Key_F2);
    ASSERT_TRUE(Game().playing);
    EXPECT_FALSE(form_->Cursor().Shown());
    Press(Qt::Key_Return);  // no cursor yet: nothing is pressed
    EXPECT_EQ(Game().score, 0);

    Press(Qt::Key_Up);  // shows the cursor at the bottom-left cell
    ASSERT_TRUE(form_->Cursor().Shown());
    EXPECT_EQ(form_->Cursor().X(), 0);
    EXPECT_EQ(form_->Cursor().Y(), 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("100 枚 10000 点"));
    Press(Qt::Key_Right);
    Press(Qt::Key_Space);
    EXPECT_EQ(Game().score, 10000);
    EXPECT_EQ(form_->ScoreLbl().Caption(), "10000");
    // The preview follows the board: the other half has moved under the cursor.
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("100 枚 10000 点"));
    Press(Qt::Key_Return);
    EXPECT_FALSE(Game().playing);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, kCongratulations + "\r\n\r\nハイスコア！：25000");
    EXPECT_EQ(form_->HScoreLbl().Caption(), "25000");
    EXPECT_EQ(form_->PreviewText(), QString());
    Press(Qt::Key_F4);
    EXPECT_EQ(Stored("Hiscore"), "25000");
}

TEST_F(Form1KeyTest, TheCursorIsDrawnOverTheBoardAndHidesOnAMousePress) {
    Open(KeyBoard());
    Press(Qt::Key_F2);
    const QImage before = form_->GamePicBox().Image();
    const QImage plain = OnScreen();
    Press(Qt::Key_Left);
    Press(Qt::Key_Up);  // cell (0, 8)
    EXPECT_EQ(form_->Cursor().Y(), 8);
    EXPECT_EQ(form_->GamePicBox().Image(), before) << "the persistent board image is unchanged";
    const QImage withCursor = OnScreen();
    EXPECT_NE(withCursor.pixel(1, 8 * 25 + 12), plain.pixel(1, 8 * 25 + 12));
    EXPECT_EQ(withCursor.pixel(5 * 25 + 1, 3 * 25 + 12), plain.pixel(5 * 25 + 1, 3 * 25 + 12));

    PressCell(5, 3);  // a single tile: nothing removed, but the cursor goes
    EXPECT_FALSE(form_->Cursor().Shown());
    EXPECT_EQ(OnScreen().pixel(1, 8 * 25 + 12), plain.pixel(1, 8 * 25 + 12));
}

TEST_F(Form1KeyTest, PreviewMarksTheGroupUnderThePointerWithoutTouchingTheGame) {
    Open(KeyBoard());
    Hover(5, 9);
    EXPECT_EQ(form_->PreviewText(), QString()) << "no preview before a game";
    Press(Qt::Key_F2);
    Game().hiScore = 500;
    const QImage plain = form_->GamePicBox().Image();

    Hover(5, 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("10 枚 100 点"));
    EXPECT_TRUE(Marked(2, 9));
    EXPECT_TRUE(Marked(11, 9));
    EXPECT_FALSE(Marked(12, 9));
    EXPECT_FALSE(Marked(0, 9));
    // A wash over the group's tiles on the screen, never in the board's picture.
    EXPECT_EQ(form_->GamePicBox().Image(), plain);
    const QImage shown = OnScreen();
    EXPECT_NE(shown.pixel(5 * 25 + 12, 9 * 25 + 3), plain.pixel(5 * 25 + 12, 9 * 25 + 3));
    EXPECT_EQ(shown.pixel(13 * 25 + 12, 9 * 25 + 3), plain.pixel(13 * 25 + 12, 9 * 25 + 3));
    // Score, take-back and best are the game's alone.
    EXPECT_EQ(Game().score, 0);
    EXPECT_EQ(Game().previousScore, 0);
    EXPECT_EQ(Game().hiScore, 500);

    Hover(5, 3);  // a single tile
    EXPECT_EQ(form_->PreviewText(), QString());
    Hover(0, 9);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("2 枚 4 点"));
    PressCell(0, 9);
    EXPECT_EQ(Game().score, 4);
    // The preview follows the board: a lone tile fell into the pressed cell.
    EXPECT_EQ(form_->PreviewText(), QString());
    Press(Qt::Key_Z);  // not a command: the preview stays
    QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);  // take-back
    EXPECT_EQ(Game().score, 0);
    EXPECT_EQ(form_->PreviewText(), QStringLiteral("2 枚 4 点"));

    QTest::mouseMove(&form_->GamePicBox(), QPoint(500, 100));  // the spare column
    EXPECT_EQ(form_->PreviewText(), QString());
    Hover(0, 9);
    answers_.push_back(6);
    Press(Qt::Key_F3);  // giving up empties the board
    EXPECT_FALSE(Game().playing);
    EXPECT_EQ(form_->PreviewText(), QString());
    EXPECT_EQ(form_->Preview().size, 0);
}

TEST_F(Form1KeyTest, TheBoardAndTheCountersAsAScreenReaderReadsThem) {
    Open(KeyBoard());
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&form_->GamePicBox());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("コインの盤"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("コインはありません。スコア 0。F2 で新しいゲームを開始します。"));
    ASSERT_EQ(board->childCount(), 200);
    Press(Qt::Key_F2);
    Press(Qt::Key_Down);
    Press(Qt::Key_Right);
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("残り 200 枚。スコア 0。2 列 10 行：金貨（穴あき）、2 枚 4 点。"));
    QAccessibleInterface* cell = board->child(9 * 20 + 7);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("銅貨 10"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("8 列 10 行、10 枚 100 点"));
    EXPECT_EQ(cell->rect().topLeft() - form_->GamePicBox().mapToGlobal(QPoint(0, 0)),
              QPoint(175, 225));
    Press(Qt::Key_Space);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("銅貨 10"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("残り 198 枚。スコア 4。2 列 10 行：銀貨 500、消せません。"));
    const auto name = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(form_->ScoreLbl()), QStringLiteral("スコア 4"));
    EXPECT_EQ(name(form_->HScoreLbl()), QStringLiteral("ハイスコア 0"));
}

TEST_F(Form1KeyTest, OnlyTheCheckedMusicItemShowsAMark) {
    Open();
    QMenu* music = form_->Menu().MusicMenu;
    ASSERT_TRUE(form_->Menu().MusicOn->isChecked());
    EXPECT_TRUE(form_->Menu().MusicOff->isCheckable());
    emit music->aboutToShow();
    music->adjustSize();
    EXPECT_GT(halvoria::testing::InkInMarkColumn(music, form_->Menu().MusicOn), 10);
    EXPECT_EQ(halvoria::testing::InkInMarkColumn(music, form_->Menu().MusicOff), 0);
}

}  // namespace quendle::testing
