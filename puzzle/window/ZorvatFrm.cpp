// The sliding puzzle's window: controls at their fixed places, the menu tree, start-up and
// shutdown, the picture and grid-size choices, and the window operations the engine draws through.
#include "puzzle/window/ZorvatFrm.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QStandardPaths>
#include <algorithm>
#include <utility>

#include "common/core/Clock.h"
#include "common/core/Twips.h"
#include "common/qt/Dir.h"
#include "common/qt/ImageView.h"
#include "common/qt/Label.h"
#include "common/qt/LineArray.h"
#include "common/qt/MediaDevice.h"
#include "common/qt/MenuItem.h"
#include "common/qt/MsgBox.h"
#include "common/qt/PictureBox.h"
#include "common/qt/PictureLoader.h"
#include "common/qt/ProgramFolder.h"
#include "common/qt/SettingsStore.h"
#include "puzzle/engine/BoardText.h"
#include "puzzle/engine/PanelDrawing.h"
#include "resources/pictures/BuiltinPictures.h"

namespace zorvat {

namespace {

const QString kSection = QString::fromLatin1(kWindowTitle);
constexpr const char* kTuneFile = "music.mid";

// Client area under the menu bar, in pixels; Picture1 leaves the last column to the window.
constexpr int kClientWidth = 626;
constexpr int kClientHeight = 433;

// The stored grid size is used when the board arrays can hold it; anything else starts at 4.
constexpr std::int32_t kDefaultPanelSize = 4;

constexpr int kMaxPictureFiles = 100;

// The player's own pictures, under the desktop's data folder ($XDG_DATA_HOME).
QString PlayersOwnPictureFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return QString();
    return data + QStringLiteral("/halvoria/pictures/");
}

// The desktop's file dialog, in the player's Pictures folder, showing the files the menu lists.
QString ChoosePictureFile(QWidget* parent) {
    QString start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir()) start = QDir::homePath();
    // Both letter cases, as the dialog's filter is case-sensitive here and cameras write .JPG.
    const QString filter = QStringLiteral(
        "画像 (*.bmp *.jpg *.jpeg *.png *.BMP *.JPG *.JPEG *.PNG *.Jpg *.Jpeg *.Png *.Bmp)");
    return QFileDialog::getOpenFileName(parent, QStringLiteral("画像を追加"), start, filter);
}

}  // namespace

ZorvatFrm::ZorvatFrm(ZorvatEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      environment_(std::move(environment)),
      host_(*this, static_cast<const halvoria::HostEnvironment&>(environment_), kTuneFile),
      game_(*this) {
    if (!environment_.playSound) environment_.playSound = halvoria::PlaySoundFile;
    if (!environment_.tickCount) environment_.tickCount = halvoria::TickCount;

    BuildControls();
    BuildMenus();

    // The timer runs for the window's whole life; a tick does nothing outside a game.
    timer1_.setInterval(500);
    connect(&timer1_, &QTimer::timeout, this, &ZorvatFrm::Timer1_Timer);
    timer1_.start();

    Form_Load();
}

ZorvatFrm::~ZorvatFrm() {
    // The board reads out through this window, which is going.
    halvoria::SetBoardReader(pic_, nullptr);
}

void ZorvatFrm::BuildControls() {
    halvoria::pictures::InitBuiltinPictures();
    setWindowIcon(halvoria::pictures::WindowIcon());

    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    // No resizing: the window is as large as the menu bar and the client area need.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    picture1_ = new halvoria::PictureBox(client);
    picture1_->SetGeometryTwips(0, 0, 9375, 6495);
    picture1_->SetBackColor(0x000000);
    picture1_->SetBorder(halvoria::PictureBox::Border::Sunken3D);

    picture2_ = new halvoria::PictureBox(picture1_);
    picture2_->SetGeometryTwips(120, 120, 6150, 6150);
    picture2_->SetAutoSize(true);
    picture2_->SetPicture(halvoria::pictures::BuiltinPicture(halvoria::pictures::kFrame));

    pic_ = new halvoria::PictureBox(picture2_);
    pic_->SetGeometryTwips(75, 75, 6045, 6045);
    pic_->SetBackColor(halvoria::kWhite);
    pic_->SetAutoSize(true);
    connect(
        pic_, &halvoria::PictureBox::MousePressed, this,
        [this](int button, int shift, float x, float y) { Pic_MouseDown(button, shift, x, y); });
    halvoria::SetBoardReader(pic_, this);
    pic_->setFocus();

    xLine_ = std::make_unique<halvoria::LineArray>(*pic_, 0, 480, 6000, 480);
    yLine_ = std::make_unique<halvoria::LineArray>(*pic_, 600, 0, 600, 6000);

    struct CaptionPlace {
        const char* picture;
        int left, top;
    };
    const CaptionPlace captions[] = {
        {halvoria::pictures::kCaptionSample, 6600, 120},
        {halvoria::pictures::kCaptionTimes, 6720, 3360},
        {halvoria::pictures::kCaptionTime, 6810, 4200},
        {halvoria::pictures::kCaptionScore, 6780, 5040},
    };
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        captions_[i] = new halvoria::ImageView(picture1_);
        captions_[i]->SetGeometryTwips(captions[i].left, captions[i].top, 2250, 450);
        captions_[i]->SetPicture(halvoria::pictures::BuiltinPicture(captions[i].picture));
    }

    picSuc_ = new halvoria::ImageView(picture1_);
    picSuc_->SetGeometryTwips(6480, 600, 2595, 2595);
    picSuc_->SetStretch(true);

    // Plates first, so the labels lie on top of them.
    const QImage plate = halvoria::pictures::BuiltinPicture(halvoria::pictures::kPlate);
    const int counterTops[] = {3720, 4560, 5400};
    for (std::size_t i = 0; i < plates_.size(); ++i) {
        plates_[i] = new halvoria::ImageView(picture1_);
        plates_[i]->SetGeometryTwips(6720, counterTops[i], 2100, 390);
        plates_[i]->SetPicture(plate);
    }
    const halvoria::Colour controlText = palette().color(QPalette::ButtonText).rgb() & 0xFFFFFFu;
    halvoria::Label** labels[] = {&timesLbl_, &timeLbl_, &scoreLbl_};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* label = new halvoria::Label(picture1_);
        label->SetGeometryTwips(6840, counterTops[i], 1935, 495);
        label->SetFace(QStringLiteral("Arial"), 18, true, true);
        label->SetTextColour(controlText);
        label->SetCaption("0 ");
        *labels[i] = label;
    }
    timesLbl_->SetCounterName(QStringLiteral("手数"));
    timeLbl_->SetCounterName(QStringLiteral("経過秒数"));
    scoreLbl_->SetCounterName(QStringLiteral("スコア"));

    // The two picture holders are never shown.
    picDefault_ = new halvoria::PictureBox(this);
    picDefault_->hide();
    picDefault_->SetPicture(halvoria::pictures::BuiltinPicture(halvoria::pictures::kPuzzle));
    picSurface_ = new halvoria::PictureBox(this);
    picSurface_->hide();
}

void ZorvatFrm::BuildMenus() {
    QMenuBar* bar = menuBar();
    using halvoria::AddMenuItem;

    menu_.Game = bar->addMenu(QStringLiteral("ゲーム(&G)"));
    menu_.Game_Start = AddMenuItem(menu_.Game, QStringLiteral("開始"), QKeySequence(Qt::Key_F2),
                                   [this] { Game_Start_Click(); });
    menu_.Game_Reset = AddMenuItem(menu_.Game, QStringLiteral("リセット"), QKeySequence(Qt::Key_F3),
                                   [this] { Game_Reset_Click(); });
    menu_.Game->addSeparator();  // Srash3
    menu_.ShowHiscore = AddMenuItem(menu_.Game, QStringLiteral("ハイスコア"), QKeySequence(),
                                    [this] { ShowHiscore_Click(); });
    menu_.Game->addSeparator();  // Srash01
    menu_.Game_Exit = AddMenuItem(menu_.Game, QStringLiteral("終了(&E)"), QKeySequence(Qt::Key_F4),
                                  [this] { Game_Exit_Click(); });

    menu_.Setting = bar->addMenu(QStringLiteral("設定(&S)"));
    menu_.Mass = menu_.Setting->addMenu(QStringLiteral("マス数"));
    const QString sizeCaptions[] = {QStringLiteral("４×４"), QStringLiteral("５×５"),
                                    QStringLiteral("８×８"), QStringLiteral("１０×１０")};
    for (int i = 0; i < static_cast<int>(menu_.MassSize.size()); ++i) {
        menu_.MassSize[i] = AddMenuItem(
            menu_.Mass, sizeCaptions[i], QKeySequence(), [this, i] { MassSize_Click(i); }, true);
    }
    menu_.MassPic = menu_.Setting->addMenu(QStringLiteral("マス画像"));
    menu_.PicName.push_back(AddMenuItem(
        menu_.MassPic, QStringLiteral("デフォルト"), QKeySequence(), [this] { PicName_Click(0); },
        true));
    // Picture items go above this separator as they are found or added.
    menu_.PicAddSeparator = menu_.MassPic->addSeparator();
    menu_.PicAdd = AddMenuItem(menu_.MassPic, QString::fromUtf8(kAddPictureCaption), QKeySequence(),
                               [this] { PicAdd_Click(); });
    std::tie(menu_.SoundMenu, menu_.SoundOn, menu_.SoundOff) = halvoria::AddOnOffMenu(
        menu_.Setting, QStringLiteral("サウンド"), [this] { SoundOn_Click(); },
        [this] { SoundOff_Click(); });
    std::tie(menu_.MusicMenu, menu_.MusicOn, menu_.MusicOff) = halvoria::AddOnOffMenu(
        menu_.Setting, QStringLiteral("ミュージック"), [this] { MusicOn_Click(); },
        [this] { MusicOff_Click(); });
    menu_.Setting->addSeparator();  // Srash2
    menu_.HiscoreClear = AddMenuItem(menu_.Setting, QStringLiteral("ハイスコアクリア"),
                                     QKeySequence(), [this] { HiscoreClear_Click(); });

    menu_.Version = bar->addMenu(QStringLiteral("バージョン(&V)"));
    menu_.About = AddMenuItem(menu_.Version, QStringLiteral("About"), QKeySequence(),
                              [this] { About_Click(); });
}

void ZorvatFrm::Form_Load() {
    // The move sound lives in the program folder, beside the tune.
    moveSound_ = std::make_unique<halvoria::MoveSound>(environment_.playSound,
                                                       host_.AppFolder().toStdString());

    // Grid lines 1..15 of each array, hidden until a game lays them out.
    for (int i = 1; i <= kGridLineCount; ++i) {
        xLine_->Load(i);
        yLine_->Load(i);
    }

    // The stored options; a game starts from them.
    const halvoria::SettingsStore store;
    game_.panelSize = store.GetWholeNumber(kSection, QStringLiteral("PanelSize"), 4);
    soundOn_ = store.GetBoolean(kSection, QStringLiteral("Sound"), true);
    game_.musicOn = store.GetBoolean(kSection, QStringLiteral("Music"), true);
    pictureName_ = store.GetText(kSection, QStringLiteral("Picture"), QString());
    game_.shuffleCount = store.GetWholeNumber(kSection, QStringLiteral("RefreshTimes"), 100);
    // The board arrays hold 2..10 panels a side; a stored size beyond that would not fit.
    if (game_.panelSize < kMinPanelSize || game_.panelSize > kMaxPanelSize) {
        game_.panelSize = kDefaultPanelSize;
    }
    setWindowTitle(kSection);

    // The best score of each offered grid size.
    for (int index = 0; index < kBestScoreSlots; ++index) {
        menu_.MassSize[index]->setChecked(false);
        hiScores_.hiScores[index + 1] =
            store.GetWholeNumber(kSection, QString::fromStdString(BestScoreKey(index + 1)), 0);
    }

    // The grid-size mark; a stored 6 or 7 marks nothing and stays as it is.
    for (std::size_t i = 0; i < kOfferedPanelSizes.size(); ++i) {
        if (kOfferedPanelSizes[i] == game_.panelSize) menu_.MassSize[i]->setChecked(true);
    }

    // The sound and music marks show the stored switches.
    SetSoundMarks(soundOn_, !soundOn_);
    SetMusicMarks(game_.musicOn, !game_.musicOn);

    // The picture menu: the program folder's pictures, then the player's own; in each,
    // bitmaps, then JPEG files, then PNG files, one item each.
    playerPictureFolder_ = PlayersOwnPictureFolder();
    pictureFiles_.assign(1, QString());
    pictureFolders_.assign(1, QString());
    bool found = false;
    const QList<halvoria::FoundPicture> files =
        halvoria::PictureFiles(QStringList{host_.AppFolder(), playerPictureFolder_});
    for (const halvoria::FoundPicture& file : files) {
        if (static_cast<int>(pictureFiles_.size()) > kMaxPictureFiles) break;
        const int index = AddPictureItem(file.name, file.folder);
        if (file.name == pictureName_) {
            found = true;
            menu_.PicName[index]->setChecked(true);
        }
    }

    // A stored name that is not listed falls back to the built-in picture.
    if (!found) pictureName_.clear();

    // The chosen picture; one that cannot be read falls back as well.
    if (!LoadPuzzlePicture()) MarkPicture(0);

    // Until a game starts, the board and the sample show the picture whole.
    pic_->AssignPictureFrom(*picSurface_);
    picSuc_->SetPicture(picSurface_->Picture());
}

int ZorvatFrm::AddPictureItem(const QString& name, const QString& folder) {
    const int index = static_cast<int>(pictureFiles_.size());
    QAction* item = halvoria::AddMenuItem(
        menu_.MassPic, halvoria::EscapeMnemonic(name), QKeySequence(),
        [this, index] { PicName_Click(index); }, true);
    menu_.MassPic->insertAction(menu_.PicAddSeparator, item);
    menu_.PicName.push_back(item);
    pictureFiles_.push_back(name);
    pictureFolders_.push_back(folder);
    // The menu holds at most 100 pictures, as at start-up.
    menu_.PicAdd->setEnabled(index < kMaxPictureFiles);
    return index;
}

bool ZorvatFrm::LoadPuzzlePicture() {
    if (!pictureName_.isEmpty()) {
        QString path;
        for (std::size_t i = 1; i < pictureFiles_.size(); ++i) {
            if (pictureFiles_[i] == pictureName_) path = pictureFolders_[i] + pictureName_;
        }
        // A photo larger than the built-in picture is decoded to fit the board, so every panel
        // can be seen and pressed; smaller pictures keep their own size.
        const QImage picture =
            path.isEmpty() ? QImage() : halvoria::LoadPicture(path, picDefault_->Picture().size());
        if (!picture.isNull()) {
            picSurface_->SetPicture(picture);
            return true;
        }
        pictureName_.clear();
    }
    picSurface_->AssignPictureFrom(*picDefault_);
    return false;
}

void ZorvatFrm::MarkPicture(int index) {
    for (QAction* item : menu_.PicName) item->setChecked(false);
    menu_.PicName[index]->setChecked(true);
}

void ZorvatFrm::Form_QueryUnload() {
    if (game_.musicOn && game_.playing) CloseMusic();

    halvoria::SettingsStore store;
    store.SaveWholeNumber(kSection, QStringLiteral("PanelSize"), game_.panelSize);
    store.SaveBoolean(kSection, QStringLiteral("Sound"), soundOn_);
    store.SaveBoolean(kSection, QStringLiteral("Music"), game_.musicOn);
    store.SaveText(kSection, QStringLiteral("Picture"), pictureName_);
    store.SaveWholeNumber(kSection, QStringLiteral("RefreshTimes"), game_.shuffleCount);
    for (int slot = 1; slot <= kBestScoreSlots; ++slot) {
        store.SaveWholeNumber(kSection, QString::fromStdString(BestScoreKey(slot)),
                              hiScores_.hiScores[slot]);
    }
    store.Flush();
}

void ZorvatFrm::closeEvent(QCloseEvent* event) {
    // Closing runs once, whether from Exit or the title bar; the window is gone afterwards.
    if (host_.BeginClosing()) {
        Form_QueryUnload();
        timer1_.stop();
    }
    event->accept();
}

// --- Menu commands -------------------------------------------------------------------------

void ZorvatFrm::Game_Start_Click() {
    game_.Game_Start_Click();
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::Game_Reset_Click() {
    game_.Game_Reset_Click();
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::ShowHiscore_Click() {
    hiScores_.ShowHiscore_Click(
        [this](const std::string& text, int code, const std::string& title) {
            return MsgBox(text, code, title);
        });
}

void ZorvatFrm::HiscoreClear_Click() {
    hiScores_.HiscoreClear_Click(
        [this](const std::string& text, int code, const std::string& title) {
            return MsgBox(text, code, title);
        });
}

void ZorvatFrm::Game_Exit_Click() { close(); }

void ZorvatFrm::MassSize_Click(int index) {
    if (index < 0 || index >= static_cast<int>(kOfferedPanelSizes.size())) return;
    if (!game_.ConfirmDiscard(kDiscardGameQuestion)) return;
    for (QAction* item : menu_.MassSize) item->setChecked(false);
    menu_.MassSize[index]->setChecked(true);
    game_.panelSize = kOfferedPanelSizes[index];
    if (game_.playing) game_.DiscardGame();
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::PicName_Click(int index) {
    if (index < 0 || index >= static_cast<int>(menu_.PicName.size())) return;
    if (!game_.ConfirmDiscard(kChangePictureQuestion)) return;
    pictureName_ = index == 0 ? QString() : pictureFiles_[index];
    // A file damaged or removed since start-up gives the built-in picture, marked as such.
    const bool loaded = LoadPuzzlePicture();
    picSuc_->SetPicture(picSurface_->Picture());
    MarkPicture(index != 0 && !loaded ? 0 : index);
    if (game_.playing) {
        game_.DiscardGame();
    } else {
        ShowWholePicture();
    }
}

void ZorvatFrm::PicAdd_Click() {
    const QString chosen =
        environment_.chooseFile ? environment_.chooseFile() : ChoosePictureFile(this);
    if (chosen.isEmpty()) return;
    const QFileInfo source(chosen);
    if (!source.isFile()) return;

    // A picture the menu already lists from its own file is chosen as it is.
    const QString canonical = source.canonicalFilePath();
    for (std::size_t i = 1; i < pictureFiles_.size(); ++i) {
        if (QFileInfo(pictureFolders_[i] + pictureFiles_[i]).canonicalFilePath() == canonical) {
            PicName_Click(static_cast<int>(i));
            return;
        }
    }
    if (!menu_.PicAdd->isEnabled()) return;

    const QString name = CopyIntoPlayerFolder(chosen);
    if (name.isEmpty()) return;
    PicName_Click(AddPictureItem(name, playerPictureFolder_));
}

QString ZorvatFrm::CopyIntoPlayerFolder(const QString& file) {
    const QFileInfo source(file);
    // Only a file that the menu would list again at the next start, and that holds a picture
    // Qt can read, is copied; anything else changes nothing.
    if (playerPictureFolder_.isEmpty() || source.fileName().startsWith(u'.') ||
        !halvoria::IsPictureFileName(source.fileName())) {
        return QString();
    }
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return QString();
    if (!QDir().mkpath(playerPictureFolder_)) return QString();

    // A name taken in either folder gets a number: "photo (2).jpg".
    const auto taken = [this](const QString& name) {
        return QFileInfo::exists(host_.AppFolder() + name) ||
               QFileInfo::exists(playerPictureFolder_ + name) ||
               std::find(pictureFiles_.begin(), pictureFiles_.end(), name) != pictureFiles_.end();
    };
    QString name = source.fileName();
    for (int number = 2; taken(name); ++number) {
        name = source.completeBaseName() + QStringLiteral(" (%1).").arg(number) + source.suffix();
    }
    if (!QFile::copy(file, playerPictureFolder_ + name)) return QString();
    return name;
}

void ZorvatFrm::SoundOn_Click() {
    halvoria::SoundOn_Click(soundOn_, [this](bool on, bool off) { SetSoundMarks(on, off); });
}

void ZorvatFrm::SoundOff_Click() {
    halvoria::SoundOff_Click(soundOn_, [this](bool on, bool off) { SetSoundMarks(on, off); });
}

void ZorvatFrm::MusicOn_Click() {
    halvoria::MusicOn_Click(game_.playing, game_.musicOn, host_.Music(),
                            [this](bool on, bool off) { SetMusicMarks(on, off); });
}

void ZorvatFrm::MusicOff_Click() {
    halvoria::MusicOff_Click(game_.playing, game_.musicOn, host_.Music(),
                             [this](bool on, bool off) { SetMusicMarks(on, off); });
}

void ZorvatFrm::About_Click() { MsgBox(kAboutText, halvoria::kMsgBoxInformationOk, "About"); }

void ZorvatFrm::Pic_MouseDown(int button, int shift, float x, float y) {
    game_.Pic_MouseDown(button, shift, x, y);
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    ArrowKey key{};
    switch (event->key()) {
        case Qt::Key_Left:
            key = ArrowKey::Left;
            break;
        case Qt::Key_Right:
            key = ArrowKey::Right;
            break;
        case Qt::Key_Up:
            key = ArrowKey::Up;
            break;
        case Qt::Key_Down:
            key = ArrowKey::Down;
            break;
        default:
            QMainWindow::keyPressEvent(event);
            return;
    }
    if (modifiers != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    game_.Pic_KeyDown(key);
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::Timer1_Timer() { game_.Timer1_Timer(); }

void ZorvatFrm::SetSoundMarks(bool onChecked, bool offChecked) {
    halvoria::SetMarks(menu_.SoundOn, menu_.SoundOff, onChecked, offChecked);
}

void ZorvatFrm::SetMusicMarks(bool onChecked, bool offChecked) {
    halvoria::SetMarks(menu_.MusicOn, menu_.MusicOff, onChecked, offChecked);
}

// --- Window operations ---------------------------------------------------------------------

halvoria::PictureSurface& ZorvatFrm::Pic() { return *pic_; }

const halvoria::PictureSurface& ZorvatFrm::PicSurface() { return *picSurface_; }

void ZorvatFrm::ShowWholePicture() {
    pic_->AssignPictureFrom(*picSurface_);
    // The game has ended: tell a screen reader before any message box opens.
    halvoria::BoardChanged(pic_);
}

void ZorvatFrm::ShowGridLine(GridLineArray array, int index, int x1, int y1, int x2, int y2) {
    halvoria::LineControl& line = (array == GridLineArray::XLine ? *xLine_ : *yLine_)(index);
    line.SetEnds(x1, y1, x2, y2);
    line.SetVisible(true);
}

void ZorvatFrm::HideGridLine(GridLineArray array, int index) {
    (array == GridLineArray::XLine ? *xLine_ : *yLine_)(index).SetVisible(false);
}

void ZorvatFrm::SetTimesCaption(const std::string& text) { timesLbl_->SetCaption(text); }

void ZorvatFrm::SetTimeCaption(const std::string& text) { timeLbl_->SetCaption(text); }

void ZorvatFrm::SetScoreCaption(const std::string& text) {
    scoreLbl_->SetCaption(text);
    // Every press ends here, before a completion box.
    halvoria::BoardChanged(pic_);
}

int ZorvatFrm::MsgBox(const std::string& text, int code, const std::string& title) {
    return host_.MsgBox(text, code, title);
}

void ZorvatFrm::PlayMusic() { host_.Music().PlayMusic(); }

void ZorvatFrm::CloseMusic() { host_.Music().CloseMusic(); }

void ZorvatFrm::PollMusic() { host_.Music().PollMusic(); }

void ZorvatFrm::PlayMoveSound() { moveSound_->PlayMoveSound(soundOn_); }

bool ZorvatFrm::RecordBestScore(int panelSize, int score) {
    return hiScores_.RecordBestScore(panelSize, score);
}

std::uint32_t ZorvatFrm::TickCount() { return environment_.tickCount(); }

void ZorvatFrm::Randomize() { host_.Randomize(); }

double ZorvatFrm::Rnd() { return host_.Rnd(); }

// --- The board in words --------------------------------------------------------------------

QString ZorvatFrm::BoardName() const { return QString::fromStdString(zorvat::BoardName()); }

QString ZorvatFrm::BoardDescription() const {
    return QString::fromStdString(zorvat::BoardDescription(game_));
}

int ZorvatFrm::CellColumns() const { return ReadableCells(game_) == 0 ? 0 : game_.panelSize; }

int ZorvatFrm::CellRows() const { return CellColumns(); }

QString ZorvatFrm::CellName(int column, int row) const {
    return QString::fromStdString(PanelName(game_, column + 1, row + 1));
}

QString ZorvatFrm::CellDescription(int column, int row) const {
    return QString::fromStdString(PanelDescription(game_, column + 1, row + 1));
}

QRect ZorvatFrm::CellRect(int column, int row) const {
    const double w = pic_->Width() / game_.panelSize;
    const double h = pic_->Height() / game_.panelSize;
    const int left = halvoria::TwipsToPixelEdge(column * w);
    const int top = halvoria::TwipsToPixelEdge(row * h);
    const int right = halvoria::TwipsToPixelEdge((column + 1) * w);
    const int bottom = halvoria::TwipsToPixelEdge((row + 1) * h);
    const int inset = pic_->ContentInset();
    return QRect(left + inset, top + inset, right - left, bottom - top);
}

}  // namespace zorvat
