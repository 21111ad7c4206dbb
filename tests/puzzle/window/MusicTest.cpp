// The tune's commands at every moment the puzzle window sends them, and the silence at all others.
#include "WindowFixture.h"

namespace zorvat::testing {
namespace {

using MusicTest = WindowTest;

TEST_F(MusicTest, CommandsAtEachMoment) {
    const std::string play = TuneCommand("play");
    const std::string close = TuneCommand("close");
    const std::string status = TuneCommand("status", " mode");
    const std::string seek = TuneCommand("seek", " to start");

    struct Case {
        const char* moment;
        std::map<QString, QString> stored;
        std::function<void(ZorvatFrm&)> before;  // commands sent here are not counted
        std::function<void(ZorvatFrm&)> act;
        std::vector<std::string> expected;
    };
    auto start = [this](ZorvatFrm&) { Key(Qt::Key_F2); };
    auto nothing = [](ZorvatFrm&) {};
    auto tick = [this](ZorvatFrm& w) {
        now += 500;
        w.Timer1_Timer();
    };
    const std::map<QString, QString> musicOff = {{"Music", "False"}};
    const std::map<QString, QString> solved = {{"RefreshTimes", "0"}};
    const std::vector<Case> cases = {
        {"new game", {}, nothing, start, {play}},
        {"new game, music off", musicOff, nothing, start, {}},
        {"new game during a game", {}, start, start, {play}},
        {"tick, tune sounding", {}, start, tick, {status}},
        {"tick, tune ended",
         {},
         start,
         [&](ZorvatFrm& w) {
             statusReply = "stopped";
             tick(w);
         },
         {status, seek, play}},
        {"tick, no device",
         {},
         start,
         [&](ZorvatFrm& w) {
             statusReply = "";
             tick(w);
         },
         {status}},
        {"tick outside a game", {}, nothing, tick, {}},
        {"tick, music off", musicOff, start, tick, {}},
        {"music off during a game",
         {},
         start,
         [](ZorvatFrm& w) { w.Menu().MusicOff->trigger(); },
         {close}},
        {"music on during a game",
         musicOff,
         start,
         [](ZorvatFrm& w) { w.Menu().MusicOn->trigger(); },
         {play}},
        {"music on, already on", {}, start, [](ZorvatFrm& w) { w.Menu().MusicOn->trigger(); }, {}},
        {"music off, already off",
         musicOff,
         start,
         [](ZorvatFrm& w) { w.Menu().MusicOff->trigger(); },
         {}},
        {"music on outside a game",
         musicOff,
         nothing,
         [](ZorvatFrm& w) { w.Menu().MusicOn->trigger(); },
         {}},
        {"solved", solved, start, [this](ZorvatFrm&) { PressCell(1, 1); }, {close}},
        {"solved, music off",
         {{"RefreshTimes", "0"}, {"Music", "False"}},
         start,
         [this](ZorvatFrm&) { PressCell(1, 1); },
         {}},
        {"give up, yes",
         {},
         start,
         [this](ZorvatFrm&) {
             answers = {6};
             Key(Qt::Key_F3);
         },
         {close}},
        {"give up, no",
         {},
         start,
         [this](ZorvatFrm&) {
             answers = {7};
             Key(Qt::Key_F3);
         },
         {}},
        {"size change, yes",
         {},
         start,
         [](ZorvatFrm& w) { w.Menu().MassSize[1]->trigger(); },
         {close}},
        {"picture change, yes",
         {},
         start,
         [](ZorvatFrm& w) { w.Menu().PicName[0]->trigger(); },
         {close}},
        {"picture change, music off",
         musicOff,
         start,
         [](ZorvatFrm& w) { w.Menu().PicName[0]->trigger(); },
         {}},
        {"close during a game", {}, start, [](ZorvatFrm& w) { w.close(); }, {close}},
        {"close outside a game", {}, nothing, [](ZorvatFrm& w) { w.close(); }, {}},
        {"close after music off",
         {},
         start,
         [](ZorvatFrm& w) {
             w.Menu().MusicOff->trigger();
             w.close();
         },
         {close}},
    };
    for (const Case& c : cases) {
        RemoveStore();
        Store(c.stored);
        statusReply = "playing";
        commands.clear();
        ZorvatFrm& window = Open();
        c.before(window);
        commands.clear();
        c.act(window);
        EXPECT_EQ(commands, c.expected) << c.moment;
    }
}

}  // namespace
}  // namespace zorvat::testing
