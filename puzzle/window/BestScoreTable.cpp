// The best-score table of the sliding puzzle.
#include "puzzle/window/BestScoreTable.h"

namespace zorvat {

namespace {

constexpr int kInformationOk = 64;
constexpr int kQuestionYesNo = 36;
constexpr int kAnswerYes = 6;
constexpr const char* kTitle = "Mirelda";

struct SlotInfo {
    std::int32_t panelSize;
    const char* tableLabel;
};

// The 10x10 label is written with ASCII digits, unlike the full-width grid-size menu caption.
constexpr SlotInfo kSlots[kBestScoreSlots] = {
    {4, "  ４×４："},
    {5, "  ５×５："},
    {8, "  ８×８："},
    {10, "  10×10："},
};

}  // namespace

std::optional<int> ScoreSlot(std::int32_t panelSize) {
    for (int i = 0; i < kBestScoreSlots; ++i) {
        if (kSlots[i].panelSize == panelSize) return i + 1;
    }
    return std::nullopt;
}

std::string BestScoreKey(int slot) { return "HiScore" + std::to_string(slot); }

bool BestScoreTable::RecordBestScore(std::int32_t panelSize, std::int32_t score) {
    const std::optional<int> slot = ScoreSlot(panelSize);
    if (!slot || score <= hiScores[*slot]) return false;
    hiScores[*slot] = score;
    return true;
}

std::string BestScoreTable::TableText() const {
    std::string text = "ハイスコア：" + std::string(18, ' ') + "\r\n";
    for (int i = 0; i < kBestScoreSlots; ++i) {
        text += "\r\n";
        text += kSlots[i].tableLabel;
        text += std::to_string(hiScores[i + 1]);
        text += "Points";
    }
    return text;
}

void BestScoreTable::ShowHiscore_Click(const AskFn& msgBox) const {
    msgBox(TableText(), kInformationOk, kTitle);
}

void BestScoreTable::HiscoreClear_Click(const AskFn& msgBox) {
    if (msgBox(kClearBestScoresQuestion, kQuestionYesNo, kTitle) != kAnswerYes) return;
    for (int slot = 1; slot <= kBestScoreSlots; ++slot) hiScores[slot] = 0;
}

}  // namespace zorvat
