// The window of the tile-clearing game: the background, the board, the score labels, the menus
// and the timer. It holds no game rules: every event goes to quendle::TileGame.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "common/qt/AccessibleBoard.h"
#include "common/qt/GameHost.h"
#include "tiles/engine/CellCursor.h"
#include "tiles/engine/TileGame.h"
#include "tiles/engine/TileWindowOps.h"

class QAction;
class QMenu;
class QCloseEvent;
class QKeyEvent;
class QPainter;

namespace halvoria {
class Label;
class PictureBox;
}  // namespace halvoria

namespace quendle {

// The outside world the window talks to; tests replace it.
using QuendleEnvironment = halvoria::HostEnvironment;

class Form1 : public QMainWindow, public TileWindowOps, private halvoria::BoardReader {
    Q_OBJECT

  public:
    explicit Form1(QuendleEnvironment environment = {}, QWidget* parent = nullptr);
    ~Form1() override;

    struct MenuItems {
        QMenu* GameMenu = nullptr;
        QAction* GameStart = nullptr;
        QAction* GameReset = nullptr;
        QAction* ReturnGame = nullptr;
        QAction* GameExit = nullptr;
        QMenu* SettingMenu = nullptr;
        QMenu* MusicMenu = nullptr;
        QAction* MusicOn = nullptr;
        QAction* MusicOff = nullptr;
        QAction* HScoreClear = nullptr;
        QMenu* VersionMenu = nullptr;
        QAction* About = nullptr;
    };

    // Controls and state, for the program's tests and tools.
    TileGame& Game() { return *game_; }
    const MenuItems& Menu() const { return menu_; }
    halvoria::PictureBox& Picture1() { return *picture1_; }
    halvoria::PictureBox& GamePicBox() { return *gamePic_; }
    halvoria::PictureBox& MoneyPicBox() { return *moneyPic_; }
    halvoria::Label& ScoreLbl() { return *scoreLbl_; }
    halvoria::Label& HScoreLbl() { return *hScoreLbl_; }
    QTimer& Timer1() { return timer1_; }
    const QString& AppFolder() const { return host_.AppFolder(); }
    const CellCursor& Cursor() const { return cursor_; }
    // The group marked on the board now, and the tip that shows its size and points ("" when
    // none).
    const GroupPreview& Preview() const { return preview_; }
    const QString& PreviewText() const { return previewText_; }

    // Menu commands, the board press and the timer tick.
    void GameStart_Click();
    void GameReset_Click();
    void ReturnGame_Click();
    void GameExit_Click();
    void MusicOn_Click();
    void MusicOff_Click();
    void HScoreClear_Click();
    void About_Click();
    void GamePic_MouseDown(int button, int shift, float x, float y);
    void Timer1_Timer();

    // TileWindowOps
    halvoria::PictureSurface& GamePic() override;
    const halvoria::PictureSurface& MoneyPic() override;
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;
    void SetScoreCaption(const std::string& text) override;
    void SetHScoreCaption(const std::string& text) override;
    int MsgBox(const std::string& text, int code, const std::string& title) override;
    void DoEvents() override;
    void PlayMusic() override;
    void CloseMusic() override;
    void PollMusic() override;
    void Randomize() override;
    double Rnd() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Arrow keys move the cell cursor; Space and Return press the cell under it.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // BoardReader: the board in words for screen readers.
    QString BoardName() const override;
    QString BoardDescription() const override;
    int CellColumns() const override;
    int CellRows() const override;
    QString CellName(int column, int row) const override;
    QString CellDescription(int column, int row) const override;
    QRect CellRect(int column, int row) const override;

    // The cell the pointer or the cursor rests on, whichever moved last; false for none.
    bool RestingCell(int& x, int& y) const;
    // Marks the group under the resting cell and shows its tip, after anything that may have
    // changed the board or the resting cell; tells a screen reader what changed.
    void UpdatePreview();
    void PointerMoved(float x, float y);
    void PointerLeft();
    void PaintOverlay(QPainter& painter) const;

    void BuildControls();
    void BuildMenus();
    void Form_Load();
    void Form_QueryUnload();
    void SetMusicMarks(bool onChecked, bool offChecked);

    halvoria::GameHost host_;
    halvoria::PictureBox* picture1_ = nullptr;
    halvoria::PictureBox* gamePic_ = nullptr;
    halvoria::PictureBox* moneyPic_ = nullptr;
    halvoria::Label* scoreLbl_ = nullptr;
    halvoria::Label* hScoreLbl_ = nullptr;
    QTimer timer1_;
    MenuItems menu_;
    std::unique_ptr<TileGame> game_;

    CellCursor cursor_;
    int pointerX_ = -1;  // cell under the pointer, -1 when it is off the board
    int pointerY_ = -1;
    bool pointerMovedLast_ = true;
    GroupPreview preview_;
    QString previewText_;
};

}  // namespace quendle
