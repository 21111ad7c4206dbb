// The menus of the puzzle window: captions and shortcuts, the size and picture choices with their
// questions, giving up, the best-score table and its clearing, the sound switch and About.
#include <QMenuBar>

#include "WindowFixture.h"
#include "common/qt/ImageView.h"
#include "common/qt/Label.h"
#include "common/qt/LineArray.h"

namespace zorvat::testing {
namespace {

using MenuTest = WindowTest;

TEST_F(MenuTest, CaptionsAndShortcutsOfTheMenuTree) {
    ZorvatFrm& window = Open();
    const ZorvatFrm::MenuItems& menu = window.Menu();
    std::vector<std::string> bar;
    for (const QAction* action : window.menuBar()->actions()) {
        bar.push_back(action->text().toStdString());
    }
    EXPECT_EQ(bar, (std::vector<std::string>{"ゲーム(&G)", "設定(&S)", "バージョン(&V)"}));
    EXPECT_EQ(Captions(menu.Game),
              (std::vector<std::string>{"開始", "リセット", "", "ハイスコア", "", "終了(&E)"}));
    EXPECT_EQ(Captions(menu.Setting),
              (std::vector<std::string>{"マス数", "マス画像", "サウンド", "ミュージック", "",
                                        "ハイスコアクリア"}));
    EXPECT_EQ(Captions(menu.Mass),
              (std::vector<std::string>{"４×４", "５×５", "８×８", "１０×１０"}));
    EXPECT_EQ(Captions(menu.SoundMenu), (std::vector<std::string>{"鳴らす", "鳴らさない"}));
    EXPECT_EQ(Captions(menu.MusicMenu), (std::vector<std::string>{"鳴らす", "鳴らさない"}));
    EXPECT_EQ(Captions(menu.Version), std::vector<std::string>{"About"});
    EXPECT_EQ(menu.Game_Start->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(menu.Game_Reset->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(menu.Game_Exit->shortcut(), QKeySequence(Qt::Key_F4));
}

TEST_F(MenuTest, SizeChoiceOutsideAGameAsksNothing) {
    ZorvatFrm& window = Open();
    const QImage board = window.PicBox().Image();
    const std::int32_t sizes[] = {4, 5, 8, 10};
    for (const int index : {2, 2, 3, 1, 0}) {
        window.Menu().MassSize[index]->trigger();
        EXPECT_EQ(window.Game().panelSize, sizes[index]);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(window.Menu().MassSize[i]->isChecked(), i == index) << index << " " << i;
        }
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), board), "");
    window.Menu().MassSize[3]->trigger();
    window.close();
    EXPECT_EQ(Stored("PanelSize"), "10");
}

TEST_F(MenuTest, ChoicesDuringAGameAskBeforeDiscardingIt) {
    ASSERT_TRUE(QImage(30, 20, QImage::Format_RGB32).save(ProgramFolder() + "p.bmp"));
    const std::string sizeQuestion =
        "マス数を変更すると現在プレー中のゲームが破棄されます。よろしいですか？";
    const std::string pictureQuestion =
        "マス画像を変更すると現在プレー中のゲームが破棄されます。よろしいですか？";
    struct Case {
        const char* name;
        std::function<void(ZorvatFrm&)> choose;
        std::string question;
        int answer;
    };
    const std::vector<Case> cases = {
        {"size", [](ZorvatFrm& w) { w.Menu().MassSize[2]->trigger(); }, sizeQuestion, 6},
        {"size", [](ZorvatFrm& w) { w.Menu().MassSize[2]->trigger(); }, sizeQuestion, 7},
        {"size in force", [](ZorvatFrm& w) { w.Menu().MassSize[0]->trigger(); }, sizeQuestion, 6},
        {"picture", [](ZorvatFrm& w) { w.Menu().PicName[1]->trigger(); }, pictureQuestion, 6},
        {"picture", [](ZorvatFrm& w) { w.Menu().PicName[1]->trigger(); }, pictureQuestion, 7},
        {"F3", [this](ZorvatFrm&) { Key(Qt::Key_F3); }, sizeQuestion, 6},
        {"F3", [this](ZorvatFrm&) { Key(Qt::Key_F3); }, sizeQuestion, 7},
    };
    for (const Case& c : cases) {
        ZorvatFrm& window = Open();
        const PuzzleGame& game = window.Game();
        Key(Qt::Key_F2);
        ASSERT_TRUE(game.playing);
        const QImage board = window.PicBox().Image();
        const std::uint32_t startTick = game.startTick;
        const std::string label = std::string(c.name) + " answer " + std::to_string(c.answer);
        boxes.clear();
        commands.clear();
        answers = {c.answer};

        c.choose(window);

        ASSERT_EQ(boxes.size(), 1u) << label;
        EXPECT_EQ(boxes[0], (Box{c.question, 36, "Mirelda"})) << label;
        const bool yes = c.answer == 6;
        EXPECT_EQ(game.playing, !yes) << label;
        EXPECT_EQ(game.startTick, startTick) << label;
        EXPECT_EQ(commands,
                  yes ? std::vector<std::string>{TuneCommand("close")} : std::vector<std::string>{})
            << label;
        const bool sizeChosen = std::string(c.name) == "size";
        EXPECT_EQ(game.panelSize, sizeChosen && yes ? 8 : 4) << label;
        EXPECT_EQ(window.Menu().MassSize[0]->isChecked(), !(sizeChosen && yes)) << label;
        EXPECT_EQ(window.Menu().MassSize[2]->isChecked(), sizeChosen && yes) << label;
        const bool pictureChosen = std::string(c.name) == "picture";
        EXPECT_EQ(window.PictureName(), pictureChosen && yes ? "p.bmp" : "") << label;
        EXPECT_EQ(window.Menu().PicName[1]->isChecked(), pictureChosen && yes) << label;
        EXPECT_EQ(window.Menu().PicName[0]->isChecked(), !(pictureChosen && yes)) << label;
        if (yes) {
            // The game is over: the whole picture, no lines, and presses do nothing.
            EXPECT_EQ(FirstDifference(window.PicBox().Image(), window.PicSurfaceBox().Picture()),
                      "")
                << label;
            window.YLINE().ForEach([&](int, const halvoria::LineControl& line) {
                EXPECT_FALSE(line.Visible()) << label;
            });
            EXPECT_EQ(FirstDifference(window.PicSuc().Picture(), window.PicSurfaceBox().Picture()),
                      "")
                << label;
        } else {
            EXPECT_EQ(FirstDifference(window.PicBox().Image(), board), "") << label;
        }
    }
}

TEST_F(MenuTest, GivingUpOutsideAGameDoesNothing) {
    ZorvatFrm& window = Open();
    Key(Qt::Key_F3);
    window.Menu().Game_Reset->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(window.Game().playing);
}

TEST_F(MenuTest, BestScoreTableAndItsClearing) {
    Store({{"HiScore1", "873"}, {"HiScore4", "12"}});
    ZorvatFrm& window = Open();
    const std::string table =
        "ハイスコア：                  \r\n\r\n"
        "  ４×４：873Points\r\n"
        "  ５×５：0Points\r\n"
        "  ８×８：0Points\r\n"
        "  10×10：12Points";
    window.Menu().ShowHiscore->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], (Box{table, 64, "Mirelda"}));

    const Box question{"ハイスコアをクリアします。よろしいですか？", 36, "Mirelda"};
    answers = {7};
    window.Menu().HiscoreClear->trigger();
    window.Menu().ShowHiscore->trigger();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], question);
    EXPECT_EQ(boxes[2].text, table);

    answers = {6};
    window.Menu().HiscoreClear->trigger();
    window.Menu().ShowHiscore->trigger();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[3], question);
    EXPECT_EQ(boxes[4].text,
              "ハイスコア：                  \r\n\r\n"
              "  ４×４：0Points\r\n"
              "  ５×５：0Points\r\n"
              "  ８×８：0Points\r\n"
              "  10×10：0Points");
    window.close();
    for (const char* key : {"HiScore1", "HiScore2", "HiScore3", "HiScore4"}) {
        EXPECT_EQ(Stored(key), "0") << key;
    }
}

TEST_F(MenuTest, SoundSwitchMovesOnlyItsMarks) {
    ZorvatFrm& window = Open();
    const ZorvatFrm::MenuItems& menu = window.Menu();
    struct Step {
        QAction* item;
        bool soundOn;
    };
    const Step steps[] = {{menu.SoundOff, false},
                          {menu.SoundOff, false},
                          {menu.SoundOn, true},
                          {menu.SoundOn, true},
                          {menu.SoundOff, false}};
    for (const Step& step : steps) {
        step.item->trigger();
        EXPECT_EQ(window.SoundOn(), step.soundOn);
        EXPECT_EQ(menu.SoundOn->isChecked(), step.soundOn);
        EXPECT_EQ(menu.SoundOff->isChecked(), !step.soundOn);
    }
    EXPECT_TRUE(sounds.empty());
    EXPECT_TRUE(commands.empty());
    window.close();
    EXPECT_EQ(Stored("Sound"), "False");
}

TEST_F(MenuTest, AboutDuringAGameLeavesTheGameAlone) {
    ZorvatFrm& window = Open();
    Key(Qt::Key_F2);
    const std::uint32_t startTick = window.Game().startTick;
    const QImage board = window.PicBox().Image();
    commands.clear();
    window.Menu().About->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].code, 64);
    EXPECT_EQ(boxes[0].title, "About");
    const std::string head = "Mirelda    Phase 1.1\r\n\r\n";
    ASSERT_GT(boxes[0].text.size(), head.size());
    EXPECT_EQ(boxes[0].text.substr(0, head.size()), head);
    const std::string notice = boxes[0].text.substr(head.size());
    EXPECT_NE(notice.find("Copyright"), std::string::npos);
    EXPECT_EQ(notice.find('\r'), std::string::npos);
    EXPECT_TRUE(window.Game().playing);
    EXPECT_EQ(window.Game().startTick, startTick);
    EXPECT_EQ(FirstDifference(window.PicBox().Image(), board), "");
    EXPECT_TRUE(commands.empty());
}

}  // namespace
}  // namespace zorvat::testing
