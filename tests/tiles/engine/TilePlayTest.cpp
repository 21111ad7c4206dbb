// Whole games: the deal's spread of kinds, a scripted game cleared by presses alone, and many
// random games played to their end against a simple model of the rules.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "tests/tiles/engine/TileTestSupport.h"

namespace quendle::test {
namespace {

TEST(DealSpreadTest, EachKindAboutAQuarterOverManyDeals) {
    std::array<long, 6> counts{};
    RecordingOps ops(15.0, false);
    TileGame game(ops);
    const int deals = 500;
    for (int seed = 0; seed < deals; ++seed) {
        ops.Seed(static_cast<std::uint32_t>(seed));
        game.GameStart_Click();
        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 10; ++y) {
                ASSERT_GE(game.board[x][y], 0);
                ASSERT_LE(game.board[x][y], 3) << "a dealt cell holds " << game.board[x][y];
                ++counts[static_cast<size_t>(game.board[x][y])];
            }
        }
    }
    for (int kind = 0; kind < 4; ++kind) {
        const double share = static_cast<double>(counts[kind]) / (deals * 200.0);
        EXPECT_NEAR(share, 0.25, 0.01) << "kind " << kind;
    }
}

// The model: the group by breadth-first search, then each column's survivors stacked at the
// bottom and the non-empty columns packed to the left.
struct ModelMove {
    Rows after;
    int removed = 0;
};

ModelMove ModelClick(const Rows& before, int x, int y) {
    ModelMove move{before, 0};
    const char kind = before[y][x];
    if (kind == '.') return move;
    std::vector<std::vector<bool>> in(20, std::vector<bool>(10, false));
    std::vector<std::pair<int, int>> todo = {{x, y}};
    in[x][y] = true;
    for (size_t i = 0; i < todo.size(); ++i) {
        const auto [cx, cy] = todo[i];
        const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + dx[d], ny = cy + dy[d];
            if (nx < 0 || nx >= 20 || ny < 0 || ny >= 10 || in[nx][ny]) continue;
            if (before[ny][nx] != kind) continue;
            in[nx][ny] = true;
            todo.push_back({nx, ny});
        }
    }
    if (todo.size() < 2) return move;
    move.removed = static_cast<int>(todo.size());
    move.after = EmptyRows();
    int column = 0;
    for (int cx = 0; cx < 20; ++cx) {
        std::string left;  // survivors, bottom first
        for (int cy = 9; cy >= 0; --cy)
            if (before[cy][cx] != '.' && !in[cx][cy]) left += before[cy][cx];
        if (left.empty()) continue;
        for (size_t k = 0; k < left.size(); ++k) move.after[9 - k][column] = left[k];
        ++column;
    }
    return move;
}

bool HasGroup(const Rows& rows) {
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const char c = rows[y][x];
            if (c == '.') continue;
            if ((x < 19 && rows[y][x + 1] == c) || (y < 9 && rows[y + 1][x] == c)) return true;
        }
    }
    return false;
}

// The invariants that hold between any two commands.
void ExpectSettled(const TileGame& game) {
    for (int x = 0; x <= 20; ++x) {
        for (int y = 0; y <= 10; ++y) {
            if (x == 20 || y == 10) {
                ASSERT_EQ(game.board[x][y], 0) << "spare cell " << x << ", " << y;
                ASSERT_EQ(game.pendingBoard[x][y], 0) << "spare cell " << x << ", " << y;
                ASSERT_EQ(game.previousBoard[x][y], 0) << "spare cell " << x << ", " << y;
                continue;
            }
            const std::int32_t v = game.board[x][y];
            ASSERT_TRUE((v >= 0 && v <= 3) || v == TileGame::kEmpty) << v;
            ASSERT_EQ(game.pendingBoard[x][y], v) << "pendingBoard differs at " << x << ", " << y;
        }
    }
    bool seenEmptyColumn = false;
    for (int x = 0; x < 20; ++x) {
        int y = 0;
        while (y < 10 && game.board[x][y] == TileGame::kEmpty) ++y;
        for (int below = y; below < 10; ++below)
            ASSERT_NE(game.board[x][below], TileGame::kEmpty) << "gap in column " << x;
        if (y == 10) {
            seenEmptyColumn = true;
        } else {
            ASSERT_FALSE(seenEmptyColumn) << "column " << x << " right of an empty one";
        }
    }
}

TEST(ScriptedGameTest, ClearedByPressesAlone) {
    // Rows of one kind each, top to bottom 2 3 2 3 0 1 0 1 0 1: removing a row lets the rows
    // above fall onto a row of their kind, so later groups are 40 tiles.
    const char rowKinds[] = "2323010101";
    Rows dealt(10, std::string(20, '0'));
    RecordingOps ops;
    for (int y = 0; y < 10; ++y) {
        dealt[y] = std::string(20, rowKinds[y]);
        for (int x = 0; x < 20; ++x) ops.rnd.push_back((rowKinds[y] - '0' + 0.25) / 4);
    }
    TileGame game(ops);
    game.hiScore = 10000;
    game.GameStart_Click();
    ASSERT_EQ(Text(game.board), dealt);

    // Pixel positions of the presses, with the groups they remove (0: nothing).
    const struct {
        float px, py;
        int removed;
    } presses[] = {{130, 130, 20}, {499, 150, 40}, {10, 0, 0},     {300, 250, 0},
                   {310, 190, 20}, {3, 212, 20},   {480, 249, 20}, {250, 180, 20},
                   {250, 205, 40}, {100, 100, 0},  {0, 240, 20}};
    std::int32_t expected = 0;
    for (const auto& p : presses) {
        game.GamePic_MouseDown(1, 0, p.px * 15, p.py * 15);
        expected += p.removed * p.removed;
        if (p.removed) {
            EXPECT_EQ(game.groupSize, p.removed) << p.px << ", " << p.py;
        }
        ExpectSettled(game);
        EXPECT_EQ(ops.board.RasterMismatch(Text(game.board)), "");
    }
    EXPECT_EQ(Text(game.board), EmptyRows());
    EXPECT_EQ(game.score, expected + 5000);
    EXPECT_EQ(game.score, 10600);
    EXPECT_EQ(game.hiScore, 10600);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(ops.boxes,
              (std::vector<Box>{
                  {"Congratuations! ゲームクリア\r\n\r\nハイスコア！：10600", 64, "Colvane"}}));
}

TEST(RandomGamesTest, PlayedToTheEndFollowTheRules) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RecordingOps ops(15.0, false);
        ops.Seed(seed);
        std::mt19937 player(seed * 7919u);
        TileGame game(ops);
        game.GameStart_Click();
        std::int32_t expected = 0;
        ExpectSettled(game);

        while (HasGroup(Text(game.board))) {
            const Rows before = Text(game.board);
            const Rows previous = Text(game.previousBoard);
            const std::int32_t scoreBefore = game.score;
            // Mostly presses on a tile that has a partner, sometimes anywhere at all.
            int x = 0, y = 0;
            do {
                x = static_cast<int>(player() % 20);
                y = static_cast<int>(player() % 10);
            } while (player() % 4 != 0 && !ModelClick(before, x, y).removed);
            const ModelMove model = ModelClick(before, x, y);
            ops.board.calls.clear();

            Click(game, x, y);

            ExpectSettled(game);
            if (testing::Test::HasFatalFailure()) return;
            ASSERT_EQ(Text(game.board), model.after) << "press at " << x << ", " << y;
            ASSERT_EQ(ops.board.Shown(), model.after);
            if (model.removed) {
                expected += model.removed * model.removed;
                EXPECT_EQ(game.groupSize, model.removed);
                EXPECT_EQ(Text(game.previousBoard), before);
                EXPECT_EQ(game.previousScore, scoreBefore);
            } else {
                EXPECT_TRUE(ops.board.calls.empty());
                EXPECT_EQ(Text(game.previousBoard), previous);
            }
            if (model.after == EmptyRows()) expected += 5000;
            ASSERT_EQ(game.score, expected);
        }

        if (Text(game.board) == EmptyRows()) {
            EXPECT_FALSE(game.playing);
            EXPECT_EQ(ops.boxes.size(), 1u);
            continue;
        }
        int left = 0;
        for (const auto& row : Text(game.board))
            for (const char c : row) left += c != '.';
        ops.answers = {6};
        game.GameReset_Click();
        const int rest = left < 20 ? 20 - left : 0;
        EXPECT_EQ(game.score, expected + rest * rest);
        EXPECT_EQ(game.hiScore, game.score);  // the game started with a best of 0
        EXPECT_FALSE(game.playing);
        ExpectSettled(game);
        EXPECT_EQ(Text(game.board), EmptyRows());
        EXPECT_EQ(ops.board.Shown(), EmptyRows());
    }
}

}  // namespace
}  // namespace quendle::test
