// The window of the tile-clearing game: the background, the board, the score labels, the menus
// and the timer. It holds no game rules: every event goes to quendle::TileGame.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "common/qt/GameHost.h"
#include "tiles/engine/TileGame.h"
#include "tiles/engine/TileWindowOps.h"

class QAction;
class QMenu;
class QCloseEvent;

namespace halvoria {
class Label;
class PictureBox;
}  // namespace halvoria

namespace quendle {

// The outside world the window talks to; tests replace it.
using QuendleEnvironment = halvoria::HostEnvironment;

class Form1 : public QMainWindow, public TileWindowOps {
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

    // Menu commands and the timer tick.
    void GameStart_Click();
    void GameReset_Click();
    void ReturnGame_Click();
    void GameExit_Click();
    void MusicOn_Click();
    void MusicOff_Click();
    void HScoreClear_Click();
    void About_Click();
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

  private:
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
};

}  // namespace quendle
