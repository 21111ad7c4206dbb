// The player's own pictures: the folder beside the program folder's pictures, adding a picture from
// anywhere through the file dialog, and large photos fitted to the board.
#include <QFileInfo>

#include "WindowFixture.h"
#include "common/qt/ImageView.h"
#include "common/qt/LineArray.h"

namespace zorvat::testing {
namespace {

// A photo stand-in whose every pixel tells where it came from.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = qRgb((x * 255) / width, (y * 255) / height, 60);
    }
    return image;
}

std::vector<QString> Checked(const std::vector<QAction*>& items) {
    std::vector<QString> checked;
    for (const QAction* item : items) {
        if (item->isChecked()) checked.push_back(item->text());
    }
    return checked;
}

class PlayerPicturesTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(elsewhere_.isValid());
        ASSERT_TRUE(QDir().mkpath(PlayerPictures()));
        ASSERT_TRUE(Photo(40, 30).save(ProgramFolder() + "b.bmp"));
        ASSERT_TRUE(Photo(40, 30).save(ProgramFolder() + "k.png"));
        // The same name in the player's folder means the program folder's file.
        ASSERT_TRUE(Photo(90, 90).save(PlayerPictures() + "k.png"));
        ASSERT_TRUE(Photo(50, 20).save(PlayerPictures() + "own.jpg"));
    }

    // A file in a folder of the player's, outside both picture folders.
    QString Elsewhere(const QString& name) const {
        const QString path = elsewhere_.path() + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        return path;
    }

    static QStringList PlayerFiles() {
        return QDir(PlayerPictures()).entryList(QDir::Files, QDir::Name);
    }

  private:
    QTemporaryDir elsewhere_;
};

TEST_F(PlayerPicturesTest, ProgramFolderFirstThenThePlayersEachNameOnce) {
    ZorvatFrm& window = Open();
    EXPECT_EQ(
        Captions(window.Menu().MassPic),
        (std::vector<std::string>{"デフォルト", "b.bmp", "k.png", "own.jpg", "", "画像を追加..."}));
    EXPECT_TRUE(window.Menu().PicAdd->isEnabled());
    EXPECT_FALSE(window.Menu().PicAdd->isCheckable());
    window.Menu().PicName[2]->trigger();
    EXPECT_EQ(window.PicBox().Image().size(), QSize(40, 30));  // the program folder's k.png
    window.Menu().PicName[3]->trigger();
    EXPECT_EQ(window.PictureName(), "own.jpg");
    EXPECT_EQ(window.PicBox().Image().size(), QSize(50, 20));
    window.close();
    EXPECT_EQ(Stored("Picture"), "own.jpg");
    EXPECT_EQ(Open().PictureName(), "own.jpg");
}

TEST_F(PlayerPicturesTest, AddedPhotoIsCopiedChosenStoredAndChosenAgainAfterARestart) {
    // A phone photo, larger than the board: it comes in at 399 x 299.
    const QString photo = Elsewhere("DCIM/IMG_0001.JPG");
    ASSERT_TRUE(Photo(1600, 1200).save(photo, "JPEG", 90));
    const QString sameName = Elsewhere("other/IMG_0001.JPG");
    ASSERT_TRUE(Photo(300, 100).save(sameName, "JPEG", 90));
    const QString clash = Elsewhere("b.bmp");
    ASSERT_TRUE(Photo(20, 60).save(clash));
    const QString text = Elsewhere("notes.jpg");
    {
        QFile file(text);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    ASSERT_TRUE(Photo(20, 20).save(Elsewhere("picture.gif"), "PNG"));

    ZorvatFrm& window = Open();
    const std::vector<std::string> before = Captions(window.Menu().MassPic);
    const QStringList filesBefore = PlayerFiles();

    // Cancelling, a file that is no picture, and one the menu would not list change nothing.
    for (const QString& chosen :
         {QString(), text, Elsewhere("picture.gif"), Elsewhere("gone.jpg")}) {
        if (!chosen.isEmpty()) chosenFiles = {chosen};
        window.Menu().PicAdd->trigger();
        EXPECT_TRUE(chosenFiles.empty());
        EXPECT_EQ(Captions(window.Menu().MassPic), before) << chosen.toStdString();
        EXPECT_EQ(PlayerFiles(), filesBefore) << chosen.toStdString();
        EXPECT_EQ(window.PictureName(), "") << chosen.toStdString();
        EXPECT_EQ(Checked(window.Menu().PicName), std::vector<QString>{"デフォルト"});
    }
    EXPECT_EQ(fileDialogs, 4);

    struct Step {
        QString chosen;
        QString name;  // as copied and listed
        QSize board;
    };
    const Step steps[] = {
        {photo, "IMG_0001.JPG", {399, 299}},
        {sameName, "IMG_0001 (2).JPG", {300, 100}},
        {clash, "b (2).bmp", {20, 60}},
    };
    for (const Step& step : steps) {
        chosenFiles = {step.chosen};
        window.Menu().PicAdd->trigger();
        const std::string label = step.name.toStdString();
        EXPECT_EQ(window.PictureName(), step.name) << label;
        EXPECT_EQ(window.PictureFiles().back(), step.name) << label;
        EXPECT_EQ(Checked(window.Menu().PicName), std::vector<QString>{step.name}) << label;
        EXPECT_TRUE(window.Menu().PicName.back()->isChecked()) << label;
        EXPECT_TRUE(QFileInfo(PlayerPictures() + step.name).isFile()) << label;
        EXPECT_EQ(window.PicBox().Image().size(), step.board) << label;
        EXPECT_EQ(FirstDifference(window.PicBox().Image(), window.PicSurfaceBox().Picture()), "")
            << label;
        EXPECT_EQ(FirstDifference(window.PicSuc().Picture(), window.PicSurfaceBox().Picture()), "")
            << label;
    }
    // New items come above the separator; nothing else in the menu moves.
    std::vector<std::string> after = before;
    after.insert(after.end() - 2, {"IMG_0001.JPG", "IMG_0001 (2).JPG", "b (2).bmp"});
    EXPECT_EQ(Captions(window.Menu().MassPic), after);
    EXPECT_TRUE(boxes.empty());

    // The player's own file, chosen again through the dialog, is not copied a second time.
    chosenFiles = {PlayerPictures() + "IMG_0001.JPG"};
    window.Menu().PicAdd->trigger();
    EXPECT_EQ(window.PictureName(), "IMG_0001.JPG");
    EXPECT_EQ(Captions(window.Menu().MassPic), after);
    window.close();
    EXPECT_EQ(Stored("Picture"), "IMG_0001.JPG");
    EXPECT_EQ(PlayerFiles(),
              (QStringList{"IMG_0001 (2).JPG", "IMG_0001.JPG", "b (2).bmp", "k.png", "own.jpg"}));

    // After a restart the photo is listed in the player's group, marked and loaded again.
    ZorvatFrm& again = Open();
    EXPECT_EQ(
        Captions(again.Menu().MassPic),
        (std::vector<std::string>{"デフォルト", "b.bmp", "k.png", "b (2).bmp", "IMG_0001 (2).JPG",
                                  "IMG_0001.JPG", "own.jpg", "", "画像を追加..."}));
    EXPECT_EQ(again.PictureName(), "IMG_0001.JPG");
    EXPECT_EQ(Checked(again.Menu().PicName), std::vector<QString>{"IMG_0001.JPG"});
    EXPECT_EQ(again.PicBox().Image().size(), QSize(399, 299));
}

TEST_F(PlayerPicturesTest, AddingDuringAGameAsksBeforeDiscardingIt) {
    for (const int answer : {7, 6}) {
        const QString photo = Elsewhere(QString("photo%1.png").arg(answer));
        ASSERT_TRUE(Photo(64, 64).save(photo));
        ZorvatFrm& window = Open();
        Key(Qt::Key_F2);
        ASSERT_TRUE(window.Game().playing);
        const QImage board = window.PicBox().Image();
        boxes.clear();
        commands.clear();
        answers = {answer};
        chosenFiles = {photo};
        window.Menu().PicAdd->trigger();

        const std::string label = "answer " + std::to_string(answer);
        ASSERT_EQ(boxes.size(), 1u) << label;
        EXPECT_EQ(boxes[0], (Box{kChangePictureQuestion, 36, "Mirelda"})) << label;
        // The menu gains the picture either way; only Yes chooses it and ends the game.
        EXPECT_EQ(window.PictureFiles().back(), QFileInfo(photo).fileName()) << label;
        const bool yes = answer == 6;
        EXPECT_EQ(window.Game().playing, !yes) << label;
        EXPECT_EQ(window.PictureName(), yes ? QFileInfo(photo).fileName() : "") << label;
        EXPECT_EQ(window.Menu().PicName.back()->isChecked(), yes) << label;
        EXPECT_EQ(window.Menu().PicName[0]->isChecked(), !yes) << label;
        EXPECT_EQ(commands,
                  yes ? std::vector<std::string>{TuneCommand("close")} : std::vector<std::string>{})
            << label;
        if (yes) {
            EXPECT_EQ(FirstDifference(window.PicBox().Image(), Photo(64, 64)), "") << label;
            window.XLine().ForEach([&](int, const halvoria::LineControl& line) {
                EXPECT_FALSE(line.Visible()) << label;
            });
        } else {
            EXPECT_EQ(FirstDifference(window.PicBox().Image(), board), "") << label;
        }
    }
}

TEST_F(PlayerPicturesTest, AFolderThatCannotBeMadeChangesNothing) {
    // A file where the folder should be: the folder cannot be made, so nothing can be copied.
    RemovePlayerPictures();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(PlayerPictures().chopped(1)).path()));
    {
        QFile file(PlayerPictures().chopped(1));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString photo = Elsewhere("photo.png");
    ASSERT_TRUE(Photo(30, 30).save(photo));
    ZorvatFrm& window = Open();
    const std::vector<std::string> before = Captions(window.Menu().MassPic);
    chosenFiles = {photo};
    window.Menu().PicAdd->trigger();
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(Captions(window.Menu().MassPic), before);
    EXPECT_EQ(window.PictureName(), "");
    EXPECT_TRUE(window.Menu().PicName[0]->isChecked());
    QFile::remove(PlayerPictures().chopped(1));
}

TEST_F(PlayerPicturesTest, TheMenuHoldsOneHundredPictures) {
    for (int i = 0; i < 96; ++i) {
        ASSERT_TRUE(
            Photo(8, 8).save(ProgramFolder() + QString("p%1.bmp").arg(i, 2, 10, QChar('0'))));
    }
    const QString photo = Elsewhere("last.png");
    ASSERT_TRUE(Photo(8, 8).save(photo));
    ZorvatFrm& window = Open();
    ASSERT_EQ(window.PictureFiles().size(), 100u);  // 99 files and the unused index 0
    EXPECT_TRUE(window.Menu().PicAdd->isEnabled());
    chosenFiles = {photo};
    window.Menu().PicAdd->trigger();
    EXPECT_EQ(window.PictureName(), "last.png");
    EXPECT_EQ(window.PictureFiles().size(), 101u);
    EXPECT_FALSE(window.Menu().PicAdd->isEnabled());
}

// Every panel of a large photo lies on the board at every grid size, so a press on each cell's
// middle reaches that cell.
TEST_F(PlayerPicturesTest, EveryPanelOfAPhotoCanBePressed) {
    const QString photo = Elsewhere("wide.jpg");
    ASSERT_TRUE(Photo(4000, 3000).save(photo, "JPEG", 80));
    ZorvatFrm& window = Open();
    chosenFiles = {photo};
    window.Menu().PicAdd->trigger();
    ASSERT_EQ(window.PictureName(), "wide.jpg");
    const QSize shown = window.PicBox().size();
    EXPECT_EQ(shown, QSize(399, 299));
    // The board picture box lies wholly inside its frame.
    EXPECT_TRUE(window.Picture2Box().rect().contains(
        QRect(window.PicBox().mapTo(&window.Picture2Box(), QPoint(0, 0)), shown)));
    for (const int size : {0, 1, 2, 3}) {
        window.Menu().MassSize[size]->trigger();
        Key(Qt::Key_F2);
        const int n = window.Game().panelSize;
        // The blank starts somewhere; a press next to it slides, wherever it is on the board.
        int blankX = 0, blankY = 0;
        for (int x = 1; x <= n; ++x) {
            for (int y = 1; y <= n; ++y) {
                if (window.Game().board[x][y] == n * n) blankX = x, blankY = y;
            }
        }
        ASSERT_GT(blankX, 0);
        const int fromX = blankX > 1 ? blankX - 1 : blankX + 1;
        const int moves = window.Game().moveCount;
        PressCell(fromX, blankY);
        EXPECT_EQ(window.Game().board[fromX][blankY], n * n) << "size " << n;
        EXPECT_EQ(window.Game().moveCount, moves + 1) << "size " << n;
        // The bottom-right cell's middle is on the board picture box.
        const double cellW = shown.width() / double(n);
        const double cellH = shown.height() / double(n);
        EXPECT_TRUE(
            window.PicBox().rect().contains(QPoint(int((n - 0.5) * cellW), int((n - 0.5) * cellH))))
            << "size " << n;
        answers = {6};
        Key(Qt::Key_F3);
    }
}

}  // namespace
}  // namespace zorvat::testing
