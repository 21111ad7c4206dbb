// The tile-clearing game's window: layout, menus, start-up and closing, and the window operations
// the engine draws, talks and plays music through.
#include "tiles/window/Form1.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <utility>

#include "common/core/Twips.h"
#include "common/qt/DoEvents.h"
#include "common/qt/Label.h"
#include "common/qt/MediaDevice.h"
#include "common/qt/MenuItem.h"
#include "common/qt/MsgBox.h"
#include "common/qt/PictureBox.h"
#include "common/qt/ProgramFolder.h"
#include "common/qt/SettingsStore.h"
#include "resources/pictures/BuiltinPictures.h"

namespace quendle {

namespace {

const QString kSection = QString::fromLatin1(kWindowTitle);
constexpr char kTune[] = "music2.mid";

// Client area 520 x 293 pixels under the menu bar.
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 293;

// The score labels' text colour, red 39, green 151, blue 209.
constexpr halvoria::Colour kScoreColour = 0x2797D1;

constexpr char kAboutText[] = "Colvane    Phase 1.0\r\n\r\nCopyright (C) 2026 Halvoria";

}  // namespace

Form1::Form1(QuendleEnvironment environment, QWidget* parent)
    : QMainWindow(parent), host_(*this, std::move(environment), kTune) {
    BuildControls();
    BuildMenus();
    game_ = std::make_unique<TileGame>(*this);

    timer1_.setInterval(1000);
    connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    timer1_.start();

    Form_Load();
}

Form1::~Form1() = default;

void Form1::BuildControls() {
    halvoria::pictures::InitBuiltinPictures();
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    // The window takes its size from the client area and the menu bar and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowIcon(halvoria::pictures::WindowIcon());

    // The background box is a little larger than the client area; the excess is cut off.
    picture1_ = new halvoria::PictureBox(client);
    picture1_->SetGeometryTwips(0, 0, 7815, 4455);
    picture1_->SetPicture(halvoria::pictures::BuiltinPicture(halvoria::pictures::kBackground));

    gamePic_ = new halvoria::PictureBox(picture1_);
    gamePic_->SetGeometryTwips(150, 150, 7515, 3765);
    gamePic_->SetBackColor(halvoria::kWhite);
    connect(gamePic_, &halvoria::PictureBox::MousePressed, this,
            [this](int button, int shift, float x, float y) {
                game_->GamePic_MouseDown(button, shift, x, y);
            });

    moneyPic_ = new halvoria::PictureBox(picture1_);
    moneyPic_->SetBorder(halvoria::PictureBox::Border::Sunken3D);
    moneyPic_->SetAutoSize(true);
    moneyPic_->SetPicture(halvoria::pictures::BuiltinPicture(halvoria::pictures::kTiles));
    moneyPic_->hide();

    auto makeScoreLabel = [this](int left) {
        auto* label = new halvoria::Label(picture1_);
        label->SetGeometryTwips(left, 4050, 1335, 375);
        label->SetFace(QStringLiteral("Arial"), 12, true, false);
        label->SetTextColour(kScoreColour);
        label->SetCaption("0");
        return label;
    };
    scoreLbl_ = makeScoreLabel(720);
    hScoreLbl_ = makeScoreLabel(3000);
}

void Form1::BuildMenus() {
    using halvoria::AddMenuItem;
    QMenuBar* bar = menuBar();

    menu_.GameMenu = bar->addMenu(QStringLiteral("ゲーム(&G)"));
    menu_.GameStart = AddMenuItem(menu_.GameMenu, QStringLiteral("開始"), QKeySequence(Qt::Key_F2),
                                  [this] { GameStart_Click(); });
    menu_.GameReset = AddMenuItem(menu_.GameMenu, QStringLiteral("ギブアップ"),
                                  QKeySequence(Qt::Key_F3), [this] { GameReset_Click(); });
    menu_.ReturnGame =
        AddMenuItem(menu_.GameMenu, QStringLiteral("元に戻す"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                    [this] { ReturnGame_Click(); });
    menu_.GameMenu->addSeparator();
    menu_.GameExit = AddMenuItem(menu_.GameMenu, QStringLiteral("終了"), QKeySequence(Qt::Key_F4),
                                 [this] { GameExit_Click(); });

    menu_.SettingMenu = bar->addMenu(QStringLiteral("設定(&S)"));
    menu_.MusicMenu = menu_.SettingMenu->addMenu(QStringLiteral("ミュージック"));
    menu_.MusicOn = AddMenuItem(
        menu_.MusicMenu, QStringLiteral("鳴らす"), QKeySequence(), [this] { MusicOn_Click(); },
        true);
    menu_.MusicOff = AddMenuItem(
        menu_.MusicMenu, QStringLiteral("鳴らさない"), QKeySequence(), [this] { MusicOff_Click(); },
        true);
    menu_.HScoreClear = AddMenuItem(menu_.SettingMenu, QStringLiteral("ハイスコアクリア"),
                                    QKeySequence(), [this] { HScoreClear_Click(); });

    menu_.VersionMenu = bar->addMenu(QStringLiteral("バージョン情報(&V)"));
    menu_.About = AddMenuItem(menu_.VersionMenu, QStringLiteral("About"), QKeySequence(),
                              [this] { About_Click(); });
}

void Form1::Form_Load() {
    setWindowTitle(kSection);

    {
        halvoria::SettingsStore store;
        game_->hiScore = store.GetWholeNumber(kSection, QStringLiteral("Hiscore"), 0);
        game_->musicOn = store.GetBoolean(kSection, QStringLiteral("Music"), true);
    }
    hScoreLbl_->SetCaption(std::to_string(game_->hiScore));
    if (game_->musicOn) {
        menu_.MusicOn->setChecked(true);
    } else {
        menu_.MusicOff->setChecked(true);
    }

    game_->ClearBoards();
}

void Form1::Form_QueryUnload() {
    {
        halvoria::SettingsStore store;
        store.SaveWholeNumber(kSection, QStringLiteral("Hiscore"), game_->hiScore);
        store.SaveBoolean(kSection, QStringLiteral("Music"), game_->musicOn);
        store.Flush();
    }
    if (game_->musicOn && game_->playing) CloseMusic();
}

void Form1::closeEvent(QCloseEvent* event) {
    // The closing steps run once, whether Exit or the title bar's close button started them.
    if (host_.BeginClosing()) {
        Form_QueryUnload();
    }
    event->accept();
}

void Form1::GameStart_Click() { game_->GameStart_Click(); }
void Form1::GameReset_Click() { game_->GameReset_Click(); }
void Form1::ReturnGame_Click() { game_->ReturnGame_Click(); }
void Form1::GameExit_Click() { close(); }
void Form1::HScoreClear_Click() { game_->HScoreClear_Click(); }
void Form1::Timer1_Timer() { game_->Timer1_Timer(); }

void Form1::MusicOn_Click() {
    halvoria::MusicOn_Click(game_->playing, game_->musicOn, host_.Music(),
                            [this](bool on, bool off) { SetMusicMarks(on, off); });
}

void Form1::MusicOff_Click() {
    halvoria::MusicOff_Click(game_->playing, game_->musicOn, host_.Music(),
                             [this](bool on, bool off) { SetMusicMarks(on, off); });
}

void Form1::SetMusicMarks(bool onChecked, bool offChecked) {
    halvoria::SetMarks(menu_.MusicOn, menu_.MusicOff, onChecked, offChecked);
}

void Form1::About_Click() { MsgBox(kAboutText, halvoria::kMsgBoxInformationOk, "About"); }

halvoria::PictureSurface& Form1::GamePic() { return *gamePic_; }
const halvoria::PictureSurface& Form1::MoneyPic() { return *moneyPic_; }
double Form1::TwipsPerPixelX() { return halvoria::kTwipsPerPixel; }
double Form1::TwipsPerPixelY() { return halvoria::kTwipsPerPixel; }
void Form1::SetScoreCaption(const std::string& text) { scoreLbl_->SetCaption(text); }
void Form1::SetHScoreCaption(const std::string& text) { hScoreLbl_->SetCaption(text); }

int Form1::MsgBox(const std::string& text, int code, const std::string& title) {
    return host_.MsgBox(text, code, title);
}

void Form1::DoEvents() { halvoria::DoEvents(); }

void Form1::PlayMusic() { host_.Music().PlayMusic(); }

void Form1::CloseMusic() { host_.Music().CloseMusic(); }

void Form1::PollMusic() { host_.Music().PollMusic(); }

void Form1::Randomize() { host_.Randomize(); }

double Form1::Rnd() { return host_.Rnd(); }

}  // namespace quendle
