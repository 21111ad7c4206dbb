// The window of the sliding picture puzzle: the board in its frame, the sample picture, the three
// counters, the menus and the half-second timer. It holds no game rules: every event goes to
// zorvat::PuzzleGame, which draws and talks back through the window operations below.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/core/MusicLoop.h"
#include "common/qt/AccessibleBoard.h"
#include "common/qt/GameHost.h"
#include "puzzle/engine/BestScoreTable.h"
#include "puzzle/engine/PuzzleGame.h"
#include "puzzle/engine/PuzzleWindowOps.h"

class QAction;
class QCloseEvent;
class QKeyEvent;
class QMenu;

namespace halvoria {
class ImageView;
class Label;
class LineArray;
class PictureBox;
}  // namespace halvoria

namespace zorvat {

// The outside world the window talks to: the host's, plus the move sound and the clock. Tests
// replace it; empty members take the real thing.
struct ZorvatEnvironment : halvoria::HostEnvironment {
    halvoria::PlaySoundFn playSound;           // empty: the process-wide move-sound player
    std::function<std::uint32_t()> tickCount;  // empty: the monotonic millisecond counter
    // The picture file chosen to add to the menu; an empty text when the choice was cancelled.
    // Empty: the desktop's file dialog.
    std::function<QString()> chooseFile;
};

// Texts of the window's own boxes.
inline constexpr const char* kChangePictureQuestion =
    "マス画像を変更すると現在プレー中のゲームが破棄されます。よろしいですか？";
inline constexpr const char* kAddPictureCaption = "画像を追加...";
inline constexpr const char* kAboutText = "Mirelda    Phase 1.1\r\n\r\nCopyright (C) 2026 Halvoria";

class ZorvatFrm : public QMainWindow, public PuzzleWindowOps, private halvoria::BoardReader {
    Q_OBJECT

  public:
    explicit ZorvatFrm(ZorvatEnvironment environment = {}, QWidget* parent = nullptr);
    ~ZorvatFrm() override;

    struct MenuItems {
        QMenu* Game = nullptr;
        QAction* Game_Start = nullptr;
        QAction* Game_Reset = nullptr;
        QAction* ShowHiscore = nullptr;
        QAction* Game_Exit = nullptr;
        QMenu* Setting = nullptr;
        QMenu* Mass = nullptr;
        std::array<QAction*, 4> MassSize{};
        QMenu* MassPic = nullptr;
        std::vector<QAction*> PicName;  // 0 is the built-in picture, 1.. one per picture file
        QAction* PicAddSeparator = nullptr;
        QAction* PicAdd = nullptr;  // adds a picture from anywhere; always the last item
        QMenu* SoundMenu = nullptr;
        QAction* SoundOn = nullptr;
        QAction* SoundOff = nullptr;
        QMenu* MusicMenu = nullptr;
        QAction* MusicOn = nullptr;
        QAction* MusicOff = nullptr;
        QAction* HiscoreClear = nullptr;
        QMenu* Version = nullptr;
        QAction* About = nullptr;
    };

    // Controls and state, for the program's tests and tools.
    PuzzleGame& Game() { return game_; }
    const MenuItems& Menu() const { return menu_; }
    halvoria::PictureBox& Picture1Box() { return *picture1_; }
    halvoria::PictureBox& Picture2Box() { return *picture2_; }
    halvoria::PictureBox& PicBox() { return *pic_; }
    halvoria::PictureBox& PicDefaultBox() { return *picDefault_; }
    halvoria::PictureBox& PicSurfaceBox() { return *picSurface_; }
    halvoria::ImageView& PicSuc() { return *picSuc_; }
    halvoria::Label& TimesLbl() { return *timesLbl_; }
    halvoria::Label& TimeLbl() { return *timeLbl_; }
    halvoria::Label& ScoreLbl() { return *scoreLbl_; }
    halvoria::LineArray& XLine() { return *xLine_; }
    halvoria::LineArray& YLINE() { return *yLine_; }
    QTimer& Timer1() { return timer1_; }
    const QString& AppFolder() const { return host_.AppFolder(); }
    // The player's own picture folder, with a trailing separator; empty when there is no home.
    const QString& PlayerPictureFolder() const { return playerPictureFolder_; }
    const QString& PictureName() const { return pictureName_; }
    // pictureFiles[index] is the file of PicName(index); index 0 is unused.
    const std::vector<QString>& PictureFiles() const { return pictureFiles_; }
    bool SoundOn() const { return soundOn_; }
    const BestScoreTable& HiScores() const { return hiScores_; }

    // Menu commands, the board press and the timer tick.
    void Game_Start_Click();
    void Game_Reset_Click();
    void ShowHiscore_Click();
    void Game_Exit_Click();
    void MassSize_Click(int index);
    void PicName_Click(int index);
    void PicAdd_Click();
    void SoundOn_Click();
    void SoundOff_Click();
    void MusicOn_Click();
    void MusicOff_Click();
    void HiscoreClear_Click();
    void About_Click();
    void Pic_MouseDown(int button, int shift, float x, float y);
    void Timer1_Timer();

    // PuzzleWindowOps
    halvoria::PictureSurface& Pic() override;
    const halvoria::PictureSurface& PicSurface() override;
    void ShowWholePicture() override;
    void ShowGridLine(GridLineArray array, int index, int x1, int y1, int x2, int y2) override;
    void HideGridLine(GridLineArray array, int index) override;
    void SetTimesCaption(const std::string& text) override;
    void SetTimeCaption(const std::string& text) override;
    void SetScoreCaption(const std::string& text) override;
    int MsgBox(const std::string& text, int code, const std::string& title) override;
    void PlayMusic() override;
    void CloseMusic() override;
    void PollMusic() override;
    void PlayMoveSound() override;
    bool RecordBestScore(int panelSize, int score) override;
    std::uint32_t TickCount() override;
    void Randomize() override;
    double Rnd() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The arrow keys slide panels during a game.
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

    void BuildControls();
    void BuildMenus();
    void Form_Load();
    void Form_QueryUnload();
    // Puts the picture of pictureName_ into PicSurface; a file that cannot be read gives the
    // built-in picture and empties pictureName_. Answers whether the named file was used.
    bool LoadPuzzlePicture();
    void MarkPicture(int index);
    // Adds a menu item for a listed picture file found in folder; answers its index.
    int AddPictureItem(const QString& name, const QString& folder);
    // Copies file into the player's picture folder under a name no listed picture has; answers
    // the new name, or an empty text when it could not be copied.
    QString CopyIntoPlayerFolder(const QString& file);
    void SetSoundMarks(bool onChecked, bool offChecked);
    void SetMusicMarks(bool onChecked, bool offChecked);

    ZorvatEnvironment environment_;
    halvoria::GameHost host_;
    bool soundOn_ = true;
    QString pictureName_;
    std::vector<QString> pictureFiles_;
    std::vector<QString> pictureFolders_;  // the folder of pictureFiles_[index]
    QString playerPictureFolder_;
    BestScoreTable hiScores_;

    halvoria::PictureBox* picture1_ = nullptr;
    halvoria::PictureBox* picture2_ = nullptr;
    halvoria::PictureBox* pic_ = nullptr;
    halvoria::PictureBox* picDefault_ = nullptr;
    halvoria::PictureBox* picSurface_ = nullptr;
    halvoria::ImageView* picSuc_ = nullptr;
    std::array<halvoria::ImageView*, 4> captions_{};  // Image1..Image4
    std::array<halvoria::ImageView*, 3> plates_{};    // Image5(0..2)
    halvoria::Label* timesLbl_ = nullptr;
    halvoria::Label* timeLbl_ = nullptr;
    halvoria::Label* scoreLbl_ = nullptr;
    std::unique_ptr<halvoria::LineArray> xLine_;
    std::unique_ptr<halvoria::LineArray> yLine_;
    QTimer timer1_;
    MenuItems menu_;

    std::unique_ptr<halvoria::MoveSound> moveSound_;
    PuzzleGame game_;
};

}  // namespace zorvat
