// The best-score table on its own: which scores are kept, the table text, and clearing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/engine/BestScoreTable.h"

namespace zorvat {
namespace {

TEST(BestScoreTableTest, KeepsOnlyStrictlyGreaterScoresOfTheOfferedSizes) {
    struct Case {
        std::int32_t panelSize;
        std::int32_t stored;
        std::int32_t score;
        bool kept;
    };
    const Case cases[] = {
        {4, 0, 120, true},  {4, 120, 120, false}, {4, 120, 119, false}, {4, 0, 0, false},
        {5, 7, 8, true},    {8, 0, 1, true},      {10, 500, 900, true}, {6, 0, 900, false},
        {7, 0, 900, false}, {2, 0, 900, false},   {10, 900, -5, false},
    };
    for (const Case& c : cases) {
        BestScoreTable table;
        const std::optional<int> slot = ScoreSlot(c.panelSize);
        if (slot) table.hiScores[*slot] = c.stored;
        const BestScoreTable before = table;
        EXPECT_EQ(table.RecordBestScore(c.panelSize, c.score), c.kept)
            << "size " << c.panelSize << " stored " << c.stored << " score " << c.score;
        for (int s = 1; s <= kBestScoreSlots; ++s) {
            const std::int32_t expected = (c.kept && slot == s) ? c.score : before.hiScores[s];
            EXPECT_EQ(table.hiScores[s], expected) << "slot " << s << " size " << c.panelSize;
        }
    }
}

TEST(BestScoreTableTest, SlotsAndKeys) {
    EXPECT_EQ(ScoreSlot(4), 1);
    EXPECT_EQ(ScoreSlot(5), 2);
    EXPECT_EQ(ScoreSlot(8), 3);
    EXPECT_EQ(ScoreSlot(10), 4);
    EXPECT_FALSE(ScoreSlot(6));
    EXPECT_FALSE(ScoreSlot(0));
    EXPECT_EQ(BestScoreKey(1), "HiScore1");
    EXPECT_EQ(BestScoreKey(4), "HiScore4");
}

struct ShownBox {
    std::string text;
    int code;
    std::string title;
};

TEST(BestScoreTableTest, ShowsEverySizeInOneInformationBox) {
    BestScoreTable table;
    table.hiScores[1] = 873;
    table.hiScores[4] = -3;
    std::vector<ShownBox> shown;
    table.ShowHiscore_Click([&](const std::string& text, int code, const std::string& title) {
        shown.push_back({text, code, title});
        return 1;
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "ハイスコア：                  \r\n"
              "\r\n"
              "  ４×４：873Points\r\n"
              "  ５×５：0Points\r\n"
              "  ８×８：0Points\r\n"
              "  10×10：-3Points");
    EXPECT_EQ(shown[0].code, 64);
    EXPECT_EQ(shown[0].title, "Mirelda");
}

TEST(BestScoreTableTest, ClearsOnlyOnYes) {
    for (const int answer : {6, 7}) {
        BestScoreTable table;
        for (int s = 1; s <= kBestScoreSlots; ++s) table.hiScores[s] = 100 * s;
        std::vector<ShownBox> asked;
        table.HiscoreClear_Click([&](const std::string& text, int code, const std::string& title) {
            asked.push_back({text, code, title});
            return answer;
        });
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, "ハイスコアをクリアします。よろしいですか？");
        EXPECT_EQ(asked[0].code, 36);
        EXPECT_EQ(asked[0].title, "Mirelda");
        for (int s = 1; s <= kBestScoreSlots; ++s) {
            EXPECT_EQ(table.hiScores[s], answer == 6 ? 0 : 100 * s) << "answer " << answer;
        }
    }
}

}  // namespace
}  // namespace zorvat
