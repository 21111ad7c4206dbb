// Menu items, message boxes, labels, images and DoEvents as the two windows use them.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "common/qt/DoEvents.h"
#include "common/qt/ImageView.h"
#include "common/qt/Label.h"
#include "common/qt/MenuItem.h"
#include "common/qt/MsgBox.h"
#include "tests/support/QtApp.h"

namespace halvoria {
namespace {

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override { testing::EnsureQtApp(); }
    void TearDown() override { SetMsgBoxHandler({}); }
};

TEST_F(ControlsTest, ChoosingACheckableItemLeavesTheMarkToItsHandler) {
    QMainWindow window;
    QMenu* menu = window.menuBar()->addMenu("設定(&S)");
    int offChosen = 0;
    QAction* on = nullptr;
    QAction* off = nullptr;
    on = AddMenuItem(
        menu, "鳴らす", {},
        [&] {
            on->setChecked(true);
            off->setChecked(false);
        },
        true);
    off = AddMenuItem(
        menu, "鳴らさない", {}, [&] { ++offChosen; }, true);
    EXPECT_TRUE(on->isCheckable());

    on->trigger();  // the handler sets the marks
    EXPECT_TRUE(on->isChecked());
    EXPECT_FALSE(off->isChecked());
    on->trigger();  // chosen again while in force: still checked
    EXPECT_TRUE(on->isChecked());

    off->trigger();  // a handler that leaves the mark alone: nothing changes
    EXPECT_EQ(offChosen, 1);
    EXPECT_FALSE(off->isChecked());
    EXPECT_TRUE(on->isChecked());
}

TEST_F(ControlsTest, ShortcutsWorkWhileNoMenuIsOpen) {
    QMainWindow window;
    QMenu* game = window.menuBar()->addMenu("ゲーム(&G)");
    int started = 0;
    int reset = 0;
    AddMenuItem(game, "開始", QKeySequence(Qt::Key_F2), [&] { ++started; });
    AddMenuItem(game, "リセット", QKeySequence(Qt::Key_F3), [&] { ++reset; });
    window.setCentralWidget(new QWidget);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_F2);
    QTest::keyClick(window.centralWidget(), Qt::Key_F3);
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(started, 2);
    EXPECT_EQ(reset, 1);
}

TEST_F(ControlsTest, EscapeMnemonicShowsFileNamesAsWritten) {
    const std::pair<QString, QString> cases[] = {
        {"plain.bmp", "plain.bmp"},    {"Tom&Jerry.jpg", "Tom&&Jerry.jpg"},
        {"&&.bmp", "&&&&.bmp"},        {"", ""},
        {"山&川.jpeg", "山&&川.jpeg"},
    };
    for (const auto& [name, caption] : cases) EXPECT_EQ(EscapeMnemonic(name), caption) << name;

    // The menu shows the escaped caption without an underlined letter.
    QMenu menu;
    QAction* item = AddMenuItem(&menu, EscapeMnemonic("Tom&Jerry.jpg"), {}, {});
    EXPECT_EQ(item->iconText(), "Tom&Jerry.jpg");
}

TEST_F(ControlsTest, MsgBoxSeamRecordsAndAnswers) {
    struct Call {
        std::string text;
        int code;
        std::string title;
    };
    std::vector<Call> calls;
    std::vector<int> answers = {7, 6};
    SetMsgBoxHandler([&](const std::string& text, int code, const std::string& title) {
        calls.push_back({text, code, title});
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    EXPECT_EQ(MsgBox(nullptr, "ゲームを中断しますか？", 36, "Mirelda"), 7);
    EXPECT_EQ(MsgBox(nullptr, "おめでとう！\r\nスコア 120", 64, "Colvane"), 6);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "ゲームを中断しますか？");
    EXPECT_EQ(calls[0].code, 36);
    EXPECT_EQ(calls[0].title, "Mirelda");
    EXPECT_EQ(calls[1].text, "おめでとう！\r\nスコア 120");
    EXPECT_EQ(calls[1].code, 64);
    EXPECT_EQ(calls[1].title, "Colvane");
}

// Acts on the real box once it is up, and reports what it saw.
struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString preselected;
};

int ShowRealBox(const std::string& text, int code, std::function<void(QMessageBox*)> act,
                BoxSeen& seen) {
    QTimer::singleShot(0, [&seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons()) seen.buttons.append(button->text());
        seen.buttons.sort();
        if (box->defaultButton() != nullptr) seen.preselected = box->defaultButton()->text();
        act(box);
    });
    return MsgBox(nullptr, text, code, "Mirelda");
}

QAbstractButton* ButtonCaptioned(QMessageBox* box, const QString& caption) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == caption) return button;
    }
    return nullptr;
}

TEST_F(ControlsTest, RealQuestionBoxAnswersSixOrSeven) {
    BoxSeen seen;
    const int no = ShowRealBox(
        "一行目\r\n二行目", 36,
        [](QMessageBox* box) { ButtonCaptioned(box, "いいえ(&N)")->click(); }, seen);
    EXPECT_EQ(no, 7);
    EXPECT_EQ(seen.title, "Mirelda");
    EXPECT_EQ(seen.text, "一行目\n二行目");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, (QStringList{"いいえ(&N)", "はい(&Y)"}));
    EXPECT_EQ(seen.preselected, "はい(&Y)");

    BoxSeen enter;
    EXPECT_EQ(ShowRealBox(
                  "?", 36, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, enter),
              6);
    BoxSeen escape;
    EXPECT_EQ(ShowRealBox(
                  "?", 36, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, escape),
              7);
}

TEST_F(ControlsTest, RealInformationBoxHasOneOkButton) {
    BoxSeen seen;
    const int answer = ShowRealBox(
        "Mirelda    Phase 1.1\r\n\r\n(C)", 64,
        [](QMessageBox* box) { ButtonCaptioned(box, "OK")->click(); }, seen);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_EQ(seen.text, "Mirelda    Phase 1.1\n\n(C)");
}

TEST_F(ControlsTest, LabelShowsPlainRightAlignedTextOverItsParent) {
    QWidget plate;
    plate.setAutoFillBackground(true);
    QPalette colours = plate.palette();
    colours.setColor(QPalette::Window, Qt::red);
    plate.setPalette(colours);
    plate.resize(200, 60);
    Label label(&plate);
    label.SetGeometryTwips(0, 0, 1935, 495);
    EXPECT_EQ(label.geometry(), QRect(0, 0, 129, 33));
    label.SetFace("Liberation Sans", 18, true, true);
    EXPECT_EQ(label.font().pixelSize(), 24);
    EXPECT_TRUE(label.font().bold());
    EXPECT_TRUE(label.font().italic());
    EXPECT_EQ(label.alignment(), Qt::AlignRight | Qt::AlignTop);

    label.SetCaption(" 120 ");
    EXPECT_EQ(label.Caption(), " 120 ");
    label.SetCaption("<b>得点</b>");
    EXPECT_EQ(label.Caption(), "<b>得点</b>");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);

    label.SetTextColour(0x0000FF);
    label.SetCaption("8");
    plate.show();
    const QImage shown = plate.grab().toImage();
    // No background of its own: the plate shows through at the label's empty left part.
    EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::red));
    // The digit is drawn at the right, from the top, in the label's colour.
    bool blueAtRight = false;
    for (int y = 0; y < 33 && !blueAtRight; ++y) {
        for (int x = 100; x < 129; ++x) {
            const QColor pixel = shown.pixelColor(x, y);
            if (pixel.blue() > 200 && pixel.red() < 60) blueAtRight = true;
        }
    }
    EXPECT_TRUE(blueAtRight);
}

TEST_F(ControlsTest, ImageShowsItsPictureStretchedOrAtItsOwnSize) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    picture.setPixel(0, 1, qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(255, 255, 0));
    ImageView view;
    view.SetGeometryTwips(6480, 600, 2595, 2595);
    EXPECT_EQ(view.size(), QSize(173, 173));
    view.SetPicture(picture);
    EXPECT_EQ(view.Picture(), picture);

    QImage natural = view.Rendered();
    EXPECT_EQ(natural.pixelColor(1, 1), QColor(255, 255, 0));
    EXPECT_EQ(natural.pixelColor(50, 50).alpha(), 0);

    view.SetStretch(true);
    const QImage stretched = view.Rendered();
    EXPECT_EQ(stretched.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_EQ(stretched.pixelColor(160, 10), QColor(0, 255, 0));
    EXPECT_EQ(stretched.pixelColor(10, 160), QColor(0, 0, 255));
    EXPECT_EQ(stretched.pixelColor(160, 160), QColor(255, 255, 0));
}

TEST_F(ControlsTest, DoEventsRunsWhatIsQueuedAndReturns) {
    int queued = 0;
    int later = 0;
    QTimer::singleShot(0, [&] { ++queued; });
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { ++queued; }, Qt::QueuedConnection);
    QTimer distant;
    distant.setSingleShot(true);
    QObject::connect(&distant, &QTimer::timeout, [&] { ++later; });
    distant.start(60000);
    DoEvents();
    EXPECT_EQ(queued, 2);
    EXPECT_EQ(later, 0);
}

}  // namespace
}  // namespace halvoria
