// Start-up and shutdown of the puzzle window: layout, marks and pictures from the store and the
// program folder, and every key written back at close.
#include <QFile>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>

#include "WindowFixture.h"
#include "common/qt/ImageView.h"
#include "common/qt/Label.h"
#include "common/qt/LineArray.h"
#include "resources/pictures/BuiltinPictures.h"

namespace zorvat::testing {
namespace {

QImage BuiltinPicture() { return QImage(QString::fromLatin1(halvoria::pictures::kPuzzle)); }

// A picture whose every pixel tells where it came from, so a shifted or swapped copy shows.
QImage MarkedPicture(int width, int height, int tint) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb((x * 255) / width, (y * 255) / height, tint));
        }
    }
    return image;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::vector<QString> Checked(const std::vector<QAction*>& items) {
    std::vector<QString> checked;
    for (const QAction* item : items) {
        if (item->isChecked()) checked.push_back(item->text());
    }
    return checked;
}

using StartupTest = WindowTest;

TEST_F(StartupTest, FirstStartWithAnEmptyStore) {
    ZorvatFrm& window = Open();

    EXPECT_EQ(window.windowTitle(), "Mirelda");
    EXPECT_FALSE(window.windowIcon().isNull());
    const ZorvatFrm::MenuItems& menu = window.Menu();
    EXPECT_EQ(Checked({menu.MassSize.begin(), menu.MassSize.end()}), std::vector<QString>{"４×４"});
    EXPECT_TRUE(menu.SoundOn->isChecked());
    EXPECT_FALSE(menu.SoundOff->isChecked());
    EXPECT_TRUE(menu.MusicOn->isChecked());
    EXPECT_FALSE(menu.MusicOff->isChecked());
    ASSERT_EQ(menu.PicName.size(), 1u);
    EXPECT_TRUE(menu.PicName[0]->isChecked());

    EXPECT_EQ(window.Game().panelSize, 4);
    EXPECT_EQ(window.Game().shuffleCount, 100);
    EXPECT_FALSE(window.Game().playing);
    EXPECT_TRUE(window.PictureName().isEmpty());
    for (int slot = 1; slot <= kBestScoreSlots; ++slot) {
        EXPECT_EQ(window.HiScores().hiScores[slot], 0);
    }

    // The built-in picture, whole, on the board and in the sample.
    const QImage builtin = BuiltinPicture();
    ASSERT_EQ(builtin.size(), QSize(399, 399));
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), builtin), "");
    EXPECT_EQ(window.PicBox().Width(), 5985.0);
    EXPECT_EQ(window.PicBox().Height(), 5985.0);
    EXPECT_EQ(FirstDifference(window.PicSuc().Picture(), builtin), "");
    EXPECT_TRUE(window.PicSuc().Stretch());

    for (halvoria::Label* label : {&window.TimesLbl(), &window.TimeLbl(), &window.ScoreLbl()}) {
        EXPECT_EQ(label->Caption(), "0 ");
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        EXPECT_EQ(label->font().family(), "Arial");
        EXPECT_EQ(label->font().pixelSize(), 24);
        EXPECT_TRUE(label->font().bold());
        EXPECT_TRUE(label->font().italic());
    }

    // Fifteen hidden grid lines of each array beside the template element 0.
    for (halvoria::LineArray* lines : {&window.XLine(), &window.YLINE()}) {
        EXPECT_EQ(lines->Count(), 16);
        lines->ForEach(
            [](int, const halvoria::LineControl& line) { EXPECT_FALSE(line.Visible()); });
    }
    EXPECT_EQ(window.XLine()(0).Y1(), 480);
    EXPECT_EQ(window.YLINE()(0).X1(), 600);

    EXPECT_TRUE(window.Timer1().isActive());
    EXPECT_EQ(window.Timer1().interval(), 500);
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartupTest, ControlsSitAtTheirPlacesInAFixedClientArea) {
    ZorvatFrm& window = Open();
    QWidget* client = window.centralWidget();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(626, 433));
    EXPECT_EQ(client->mapTo(&window, QPoint(0, 0)).y(), window.menuBar()->height());
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    // Client-area pixels; children of Picture1 start inside its 2-pixel border.
    struct Place {
        const char* name;
        QWidget* widget;
        QRect rect;
    };
    std::vector<Place> places = {
        {"Picture1", &window.Picture1Box(), {0, 0, 625, 433}},
        {"Picture2", &window.Picture2Box(), {10, 10, 410, 410}},
        {"Pic", &window.PicBox(), {15, 15, 399, 399}},
        {"PicSuc", &window.PicSuc(), {434, 42, 173, 173}},
        {"TimesLbl", &window.TimesLbl(), {458, 250, 129, 33}},
        {"TimeLbl", &window.TimeLbl(), {458, 306, 129, 33}},
        {"ScoreLbl", &window.ScoreLbl(), {458, 362, 129, 33}},
    };
    for (const Place& place : places) {
        const QRect actual(place.widget->mapTo(client, QPoint(0, 0)), place.widget->size());
        EXPECT_EQ(actual, place.rect) << place.name;
        EXPECT_TRUE(place.widget->isVisible()) << place.name;
    }
    EXPECT_FALSE(window.PicDefaultBox().isVisible());
    EXPECT_FALSE(window.PicSurfaceBox().isVisible());
    EXPECT_EQ(window.Picture1Box().BackColor(), 0x000000u);
    EXPECT_EQ(window.Picture1Box().GetBorder(), halvoria::PictureBox::Border::Sunken3D);
    EXPECT_EQ(window.PicBox().BackColor(), 0xFFFFFFu);

    // The four captions and three plates: every image of Picture1 but the sample.
    std::vector<QRect> images;
    for (const auto* view : window.Picture1Box().findChildren<halvoria::ImageView*>()) {
        if (view != &window.PicSuc()) {
            images.push_back(QRect(view->mapTo(client, QPoint(0, 0)), view->size()));
        }
    }
    std::sort(images.begin(), images.end(), [](const QRect& a, const QRect& b) {
        return std::make_pair(a.top(), a.left()) < std::make_pair(b.top(), b.left());
    });
    const std::vector<QRect> expected = {
        {442, 10, 150, 30},  {450, 226, 150, 30}, {450, 250, 140, 26}, {456, 282, 150, 30},
        {450, 306, 140, 26}, {454, 338, 150, 30}, {450, 362, 140, 26},
    };
    EXPECT_EQ(images, expected);
}

TEST_F(StartupTest, EveryKeyIsWrittenAtClose) {
    Open().close();
    const std::map<QString, QString> expected = {
        {"PanelSize", "4"}, {"Sound", "True"},       {"Music", "True"},
        {"Picture", ""},    {"RefreshTimes", "100"}, {"HiScore1", "0"},
        {"HiScore2", "0"},  {"HiScore3", "0"},       {"HiScore4", "0"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(Stored(key), value) << key.toStdString();
    EXPECT_TRUE(commands.empty());
}

TEST_F(StartupTest, StoredValuesBecomeStateAndMarks) {
    struct Case {
        std::map<QString, QString> stored;
        std::int32_t panelSize;
        int markedSize;  // -1: no size item marked
        bool soundOn;
        bool musicOn;
        std::int32_t shuffleCount;
        std::map<QString, QString> writtenBack;
    };
    const std::vector<Case> cases = {
        {{{"PanelSize", "8"}}, 8, 2, true, true, 100, {{"PanelSize", "8"}}},
        {{{"PanelSize", "10"}}, 10, 3, true, true, 100, {{"PanelSize", "10"}}},
        // Sizes the menu does not offer but the board holds stay, unmarked.
        {{{"PanelSize", "6"}}, 6, -1, true, true, 100, {{"PanelSize", "6"}}},
        {{{"PanelSize", "2"}}, 2, -1, true, true, 100, {{"PanelSize", "2"}}},
        // Sizes the board cannot hold start at 4.
        {{{"PanelSize", "1"}}, 4, 0, true, true, 100, {{"PanelSize", "4"}}},
        {{{"PanelSize", "11"}}, 4, 0, true, true, 100, {{"PanelSize", "4"}}},
        {{{"PanelSize", "-4"}}, 4, 0, true, true, 100, {{"PanelSize", "4"}}},
        {{{"PanelSize", "abc"}}, 4, 0, true, true, 100, {{"PanelSize", "4"}}},
        {{{"Sound", "False"}, {"Music", "False"}},
         4,
         0,
         false,
         false,
         100,
         {{"Sound", "False"}, {"Music", "False"}}},
        {{{"Sound", "maybe"}, {"Music", ""}},
         4,
         0,
         true,
         true,
         100,
         {{"Sound", "True"}, {"Music", "True"}}},
        {{{"RefreshTimes", "7"}, {"HiScore3", "512"}, {"HiScore4", "-2"}},
         4,
         0,
         true,
         true,
         7,
         {{"RefreshTimes", "7"}, {"HiScore3", "512"}, {"HiScore4", "-2"}, {"HiScore1", "0"}}},
        {{{"RefreshTimes", "x"}, {"HiScore1", "1e3"}},
         4,
         0,
         true,
         true,
         100,
         {{"RefreshTimes", "100"}, {"HiScore1", "0"}}},
    };
    for (const Case& c : cases) {
        RemoveStore();
        Store(c.stored);
        ZorvatFrm& window = Open();
        const std::string label =
            c.stored.begin()->first.toStdString() + "=" + c.stored.begin()->second.toStdString();
        EXPECT_EQ(window.Game().panelSize, c.panelSize) << label;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(window.Menu().MassSize[i]->isChecked(), i == c.markedSize) << label << i;
        }
        EXPECT_EQ(window.SoundOn(), c.soundOn) << label;
        EXPECT_EQ(window.Menu().SoundOn->isChecked(), c.soundOn) << label;
        EXPECT_EQ(window.Menu().SoundOff->isChecked(), !c.soundOn) << label;
        EXPECT_EQ(window.Game().musicOn, c.musicOn) << label;
        EXPECT_EQ(window.Menu().MusicOn->isChecked(), c.musicOn) << label;
        EXPECT_EQ(window.Menu().MusicOff->isChecked(), !c.musicOn) << label;
        EXPECT_EQ(window.Game().shuffleCount, c.shuffleCount) << label;
        window.close();
        for (const auto& [key, value] : c.writtenBack) {
            EXPECT_EQ(Stored(key), value) << label << " " << key.toStdString();
        }
    }
}

TEST_F(StartupTest, ClosingTwiceWritesOnce) {
    ZorvatFrm& window = Open();
    window.close();
    Store({{"PanelSize", "5"}});
    window.close();
    EXPECT_EQ(Stored("PanelSize"), "5");
}

class PictureFolderTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        pictureA = MarkedPicture(120, 90, 10);
        pictureB = MarkedPicture(80, 100, 200);
        pictureC = MarkedPicture(64, 64, 90);
        ASSERT_TRUE(pictureB.save(ProgramFolder() + "b.bmp"));
        ASSERT_TRUE(pictureA.save(ProgramFolder() + "a.bmp"));
        ASSERT_TRUE(pictureC.save(ProgramFolder() + "c.jpg", "JPEG", 100));
        ASSERT_TRUE(pictureA.save(ProgramFolder() + "R&D.bmp"));
        // A bitmap header with nothing behind it.
        WriteBytes(ProgramFolder() + "x.bmp", QByteArray("BM\x36\x00\x00\x00garbage", 14));
        WriteBytes(ProgramFolder() + "notes.txt", "not a picture");
        ASSERT_TRUE(QDir().mkpath(ProgramFolder() + "folder.bmp"));
    }

    QImage pictureA, pictureB, pictureC;
};

TEST_F(PictureFolderTest, MenuListsBitmapsThenJpegsInNameOrder) {
    ZorvatFrm& window = Open();
    const std::vector<std::string> expected = {"デフォルト", "a.bmp", "b.bmp", "R&&D.bmp",
                                               "x.bmp",      "c.jpg", "",      "画像を追加..."};
    EXPECT_EQ(Captions(window.Menu().MassPic), expected);
    const std::vector<QString> files = {"", "a.bmp", "b.bmp", "R&D.bmp", "x.bmp", "c.jpg"};
    EXPECT_EQ(window.PictureFiles(), files);
    ASSERT_EQ(window.Menu().PicName.size(), files.size());
    EXPECT_EQ(Checked(window.Menu().PicName), std::vector<QString>{"デフォルト"});
}

TEST_F(PictureFolderTest, StoredPictureIsUsedOnlyWhenListedAndReadable) {
    struct Case {
        QString stored;
        QString pictureName;  // after start-up; empty: the built-in picture
        int marked;
    };
    const Case cases[] = {
        {"b.bmp", "b.bmp", 2}, {"R&D.bmp", "R&D.bmp", 3}, {"B.BMP", "", 0},  // letter case differs
        {"x.bmp", "", 0},                                                    // listed but damaged
        {"gone.bmp", "", 0},                                                 // not in the folder
        {"notes.txt", "", 0},
    };
    for (const Case& c : cases) {
        RemoveStore();
        Store({{"Picture", c.stored}});
        ZorvatFrm& window = Open();
        const std::string label = c.stored.toStdString();
        EXPECT_EQ(window.PictureName(), c.pictureName) << label;
        for (std::size_t i = 0; i < window.Menu().PicName.size(); ++i) {
            EXPECT_EQ(window.Menu().PicName[i]->isChecked(), static_cast<int>(i) == c.marked)
                << label << " item " << i;
        }
        const QImage expected = c.pictureName.isEmpty()
                                    ? BuiltinPicture()
                                    : (c.pictureName == "b.bmp" ? pictureB : pictureA);
        EXPECT_EQ(FirstDifference(window.PicSurfaceBox().Picture(), expected), "") << label;
        EXPECT_EQ(FirstDifference(window.PicBox().Image(), expected), "") << label;
        EXPECT_EQ(FirstDifference(window.PicSuc().Picture(), expected), "") << label;
        window.close();
        EXPECT_EQ(Stored("Picture"), c.pictureName) << label;
    }
}

TEST_F(PictureFolderTest, ChoosingPicturesOutsideAGame) {
    ZorvatFrm& window = Open();
    struct Step {
        int index;
        QString pictureName;
        int marked;
        QSize boardPixels;
    };
    const Step steps[] = {
        {1, "a.bmp", 1, {120, 90}}, {5, "c.jpg", 5, {64, 64}},
        {4, "", 0, {399, 399}},  // x.bmp cannot be read: the built-in picture instead
        {2, "b.bmp", 2, {80, 100}}, {2, "b.bmp", 2, {80, 100}},  // the item in force keeps its mark
        {0, "", 0, {399, 399}},
    };
    for (const Step& step : steps) {
        window.Menu().PicName[step.index]->trigger();
        const std::string label = "item " + std::to_string(step.index);
        EXPECT_EQ(window.PictureName(), step.pictureName) << label;
        EXPECT_EQ(Checked(window.Menu().PicName),
                  std::vector<QString>{window.Menu().PicName[step.marked]->text()})
            << label;
        EXPECT_EQ(window.PicBox().Image().size(), step.boardPixels) << label;
        EXPECT_EQ(FirstDifference(window.PicBox().Image(), window.PicSurfaceBox().Picture()), "")
            << label;
        EXPECT_EQ(FirstDifference(window.PicSuc().Picture(), window.PicSurfaceBox().Picture()), "")
            << label;
    }
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), BuiltinPicture()), "");
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(window.Game().playing);
}

TEST_F(PictureFolderTest, AFileDamagedAfterStartUpFallsBackWhenChosen) {
    Store({{"Picture", "b.bmp"}});
    ZorvatFrm& window = Open();
    ASSERT_EQ(window.PictureName(), "b.bmp");
    WriteBytes(ProgramFolder() + "a.bmp", QByteArray(3, 'B'));
    window.Menu().PicName[1]->trigger();
    EXPECT_EQ(window.PictureName(), "");
    EXPECT_EQ(Checked(window.Menu().PicName), std::vector<QString>{"デフォルト"});
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), BuiltinPicture()), "");
    window.close();
    EXPECT_EQ(Stored("Picture"), "");
}

}  // namespace
}  // namespace zorvat::testing
