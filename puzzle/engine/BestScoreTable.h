// The sliding puzzle's best scores, one per offered grid size (4, 5, 8, 10), with the table text
// shown from the menu and the question asked before clearing it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "puzzle/engine/PuzzleGame.h"

namespace zorvat {

// Slots 1..4 belong to the offered grid sizes 4, 5, 8 and 10; any other size has none.
inline constexpr int kBestScoreSlots = static_cast<int>(kOfferedPanelSizes.size());

std::optional<int> ScoreSlot(std::int32_t panelSize);

// Settings key of a slot: "HiScore1" .. "HiScore4".
std::string BestScoreKey(int slot);

inline constexpr const char* kClearBestScoresQuestion =
    "ハイスコアをクリアします。よろしいですか？";

// Same shape as the window's message box: (text, code, title) -> button pressed.
using AskFn = std::function<int(const std::string& text, int code, const std::string& title)>;

class BestScoreTable {
  public:
    // hiScores[slot] for slots 1..4; index 0 is unused so slots read as numbered. 0 = no score yet.
    std::int32_t hiScores[kBestScoreSlots + 1] = {};

    // Keeps score as the best of its grid size when strictly greater than the stored one.
    bool RecordBestScore(std::int32_t panelSize, std::int32_t score);

    // The lines of the best-score box, joined by CR LF.
    std::string TableText() const;

    // Shows the table in an information box.
    void ShowHiscore_Click(const AskFn& msgBox) const;
    // Asks, and on Yes sets every slot to 0.
    void HiscoreClear_Click(const AskFn& msgBox);
};

}  // namespace zorvat
