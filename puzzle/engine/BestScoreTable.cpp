// The best-score table of the sliding puzzle.
#include "puzzle/engine/BestScoreTable.h"

#include "common/core/MsgBoxCodes.h"

namespace zorvat {

namespace {

// The table's line labels of the offered sizes, in their order. The 10x10 label is written with
// ASCII digits, unlike the full-width grid-size menu caption.
constexpr const char* kTableLabels[kBestScoreSlots] = {"  ４×４：", "  ５×５：", "  ８×８：",
                                                       "  10×10："};

}  // namespace

std::optional<int> ScoreSlot(std::int32_t panelSize) {
    for (int i = 0; i < kBestScoreSlots; ++i) {
        if (kOfferedPanelSizes[static_cast<std::size_t>(i)] == panelSize) return i + 1;
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
        text += kTableLabels[i];
        text += std::to_string(hiScores[i + 1]);
        text += "Points";
    }
    return text;
}

void BestScoreTable::ShowHiscore_Click(const AskFn& msgBox) const {
    msgBox(TableText(), halvoria::kMsgBoxInformationOk, kWindowTitle);
}

void BestScoreTable::HiscoreClear_Click(const AskFn& msgBox) {
    if (msgBox(kClearBestScoresQuestion, halvoria::kMsgBoxQuestionYesNo, kWindowTitle) !=
        halvoria::kMsgBoxYes)
        return;
    for (int slot = 1; slot <= kBestScoreSlots; ++slot) hiScores[slot] = 0;
}

}  // namespace zorvat
