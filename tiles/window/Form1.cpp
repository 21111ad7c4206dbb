// The tile-clearing game's window: layout, menus, start-up and closing, and the window operations
// the engine draws, talks and plays music through.
#include "tiles/window/Form1.h"

#include <QCloseEvent>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolTip>
#include <QWidget>
#include <cmath>
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
#include "tiles/engine/TileText.h"

namespace quendle {

namespace {

const QString kSection = QString::fromLatin1(kWindowTitle);
constexpr char kTune[] = "music2.mid";

// Client area 520 x 293 pixels under the menu bar.
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 293;

// The score labels' text colour, red 39, green 151, blue 209.
constexpr halvoria::Colour kScoreColour = 0x2797D1;

// Cells are 25 x 25 pixels from the board's top-left corner.
constexpr int kCellPixels = 25;
// The group preview's wash (the background's blue, light) and the cursor's frame.
const QColor kPreviewWash(65, 126, 202, 80);
const QColor kPreviewEdge(65, 126, 202);
const QColor kCursorFrame(200, 30, 30);

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

Form1::~Form1() {
    // The board reads out through this window, which is going.
    halvoria::SetBoardReader(gamePic_, nullptr);
    gamePic_->SetOverlay({});
    gamePic_->disconnect(this);
}

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
                GamePic_MouseDown(button, shift, x, y);
            });
    gamePic_->setMouseTracking(true);
    connect(gamePic_, &halvoria::PictureBox::MouseMoved, this,
            [this](float x, float y) { PointerMoved(x, y); });
    connect(gamePic_, &halvoria::PictureBox::MouseLeft, this, [this] { PointerLeft(); });
    gamePic_->SetOverlay([this](QPainter& painter) { PaintOverlay(painter); });
    halvoria::SetBoardReader(gamePic_, this);
    gamePic_->setFocus();

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
    scoreLbl_->SetCounterName(QStringLiteral("スコア"));
    hScoreLbl_->SetCounterName(QStringLiteral("ハイスコア"));
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
    std::tie(menu_.MusicMenu, menu_.MusicOn, menu_.MusicOff) = halvoria::AddOnOffMenu(
        menu_.SettingMenu, QStringLiteral("ミュージック"), [this] { MusicOn_Click(); },
        [this] { MusicOff_Click(); });
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

void Form1::GameStart_Click() {
    game_->GameStart_Click();
    UpdatePreview();
}

void Form1::GameReset_Click() {
    game_->GameReset_Click();
    UpdatePreview();
}

void Form1::ReturnGame_Click() {
    game_->ReturnGame_Click();
    UpdatePreview();
}

void Form1::GamePic_MouseDown(int button, int shift, float x, float y) {
    // The pointer takes over from the cursor.
    cursor_.Hide();
    PointerMoved(x, y);
    game_->GamePic_MouseDown(button, shift, x, y);
    UpdatePreview();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            cursor_.Arrow(-1, 0);
            break;
        case Qt::Key_Right:
            cursor_.Arrow(1, 0);
            break;
        case Qt::Key_Up:
            cursor_.Arrow(0, -1);
            break;
        case Qt::Key_Down:
            cursor_.Arrow(0, 1);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!cursor_.Shown()) break;
            pointerMovedLast_ = false;
            game_->GamePic_KeyPress(cursor_.X(), cursor_.Y());
            UpdatePreview();
            event->accept();
            return;
        default:
            QMainWindow::keyPressEvent(event);
            return;
    }
    event->accept();
    pointerMovedLast_ = false;
    UpdatePreview();
}

void Form1::PointerMoved(float x, float y) {
    const int column = static_cast<int>(std::floor(x / halvoria::kTwipsPerPixel / kCellPixels));
    const int row = static_cast<int>(std::floor(y / halvoria::kTwipsPerPixel / kCellPixels));
    const bool onBoard =
        column >= 0 && column < TileGame::kColumns && row >= 0 && row < TileGame::kRows;
    const int newX = onBoard ? column : -1;
    const int newY = onBoard ? row : -1;
    const bool changed = newX != pointerX_ || newY != pointerY_ || !pointerMovedLast_;
    pointerX_ = newX;
    pointerY_ = newY;
    pointerMovedLast_ = true;
    if (changed) UpdatePreview();
}

void Form1::PointerLeft() {
    if (pointerX_ < 0 && pointerMovedLast_) return;
    pointerX_ = pointerY_ = -1;
    if (pointerMovedLast_) UpdatePreview();
}

bool Form1::RestingCell(int& x, int& y) const {
    if (pointerMovedLast_) {
        x = pointerX_;
        y = pointerY_;
        return x >= 0;
    }
    x = cursor_.X();
    y = cursor_.Y();
    return cursor_.Shown();
}

void Form1::UpdatePreview() {
    int x = -1;
    int y = -1;
    preview_ = RestingCell(x, y) ? game_->PreviewGroup(x, y) : GroupPreview{};
    const QString text =
        preview_.size == 0 ? QString() : QString::fromStdString(PreviewCaption(preview_));
    if (!text.isEmpty()) {
        // Shown again at every change, so the tip moves with the pointer or the cursor.
        const QRect cell = CellRect(x, y);
        const QPoint at =
            pointerMovedLast_ ? gamePic_->mapFromGlobal(QCursor::pos()) : cell.center();
        QToolTip::showText(gamePic_->mapToGlobal(at), text, gamePic_, cell);
    } else if (!previewText_.isEmpty()) {
        QToolTip::hideText();
    }
    previewText_ = text;
    gamePic_->update();
    halvoria::BoardChanged(gamePic_);
}

void Form1::PaintOverlay(QPainter& painter) const {
    if (preview_.size > 0) {
        for (int x = 0; x < TileGame::kColumns; ++x) {
            for (int y = 0; y < TileGame::kRows; ++y) {
                if (!preview_.member[x][y]) continue;
                const QRect cell(x * kCellPixels, y * kCellPixels, kCellPixels, kCellPixels);
                painter.fillRect(cell, kPreviewWash);
                // An edge where the group meets a cell outside it.
                const auto outside = [&](int nx, int ny) {
                    return nx < 0 || nx >= TileGame::kColumns || ny < 0 || ny >= TileGame::kRows ||
                           !preview_.member[nx][ny];
                };
                if (outside(x - 1, y)) painter.fillRect(cell.x(), cell.y(), 1, 25, kPreviewEdge);
                if (outside(x + 1, y)) {
                    painter.fillRect(cell.right(), cell.y(), 1, 25, kPreviewEdge);
                }
                if (outside(x, y - 1)) painter.fillRect(cell.x(), cell.y(), 25, 1, kPreviewEdge);
                if (outside(x, y + 1)) {
                    painter.fillRect(cell.x(), cell.bottom(), 25, 1, kPreviewEdge);
                }
            }
        }
    }
    if (cursor_.Shown()) {
        const QRect cell(cursor_.X() * kCellPixels, cursor_.Y() * kCellPixels, kCellPixels,
                         kCellPixels);
        painter.setPen(QPen(kCursorFrame, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
}
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
void Form1::SetScoreCaption(const std::string& text) {
    scoreLbl_->SetCaption(text);
    // The score changes with the board; the preview follows it before any message box opens.
    UpdatePreview();
}
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

// --- The board in words --------------------------------------------------------------------

QString Form1::BoardName() const { return QString::fromStdString(quendle::BoardName()); }

QString Form1::BoardDescription() const {
    int x = -1;
    int y = -1;
    if (!RestingCell(x, y)) x = y = -1;
    return QString::fromStdString(quendle::BoardDescription(*game_, x, y));
}

int Form1::CellColumns() const { return TileGame::kColumns; }

int Form1::CellRows() const { return TileGame::kRows; }

QString Form1::CellName(int column, int row) const {
    if (column < 0 || column >= TileGame::kColumns || row < 0 || row >= TileGame::kRows) return {};
    return QString::fromStdString(KindName(game_->board[column][row]));
}

QString Form1::CellDescription(int column, int row) const {
    return QString::fromStdString(quendle::CellDescription(*game_, column, row));
}

QRect Form1::CellRect(int column, int row) const {
    return QRect(column * kCellPixels, row * kCellPixels, kCellPixels, kCellPixels);
}

}  // namespace quendle
