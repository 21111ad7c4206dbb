// The sliding puzzle's board model and game loop: new game and shuffle, presses and slides,
// evaluation and score, completion, giving up and the clock tick.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "puzzle/engine/PuzzleWindowOps.h"

namespace zorvat {

// Grid sizes the board arrays can hold.
inline constexpr std::int32_t kMinPanelSize = 2;
inline constexpr std::int32_t kMaxPanelSize = 10;
// The grid sizes the menu offers, each with a best score of its own.
inline constexpr std::array<std::int32_t, 4> kOfferedPanelSizes = {4, 5, 8, 10};
// Most slides one shuffle makes. The stored slide count is only a setting, and a huge one would
// freeze the window for minutes; a million slides scramble any board and take a few milliseconds.
inline constexpr std::int32_t kMaxShuffleSlides = 1000000;

// The window's title, which is also the title of its message boxes and its section in the store.
inline constexpr const char* kWindowTitle = "Mirelda";
// The question asked before a game in progress is discarded (giving up, changing the grid size).
inline constexpr const char* kDiscardGameQuestion =
    "マス数を変更すると現在プレー中のゲームが破棄されます。よろしいですか？";

// A number as a space (or "-") followed by its digits: 12 -> " 12", -3 -> "-3".
std::string SignedForm(std::int32_t value);
// The score label's text: " 948-100% " for 948 points with 100 percent in place.
std::string ScoreCaption(std::int32_t score, std::int32_t percent);
// The congratulation text, with the high-score mark when the score became the best of its size.
std::string CompletionMessage(std::int32_t score, bool newBest);

// An arrow key, named by the way it slides a panel.
enum class ArrowKey { Left, Right, Up, Down };

// A board cell, column x and row y from 1; {0, 0} for none.
struct Cell {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Cell&) const = default;
};

class PuzzleGame {
  public:
    explicit PuzzleGame(PuzzleWindowOps& ops);

    // Board state; both arrays are [column][row] and use indices 1..panelSize.
    std::int32_t panelSize = 4;
    std::int32_t shuffleCount = 100;
    std::int32_t board[11][11] = {};
    std::int32_t pendingBoard[11][11] = {};
    bool playing = false;
    std::int32_t moveCount = 0;
    std::uint32_t startTick = 0;
    bool musicOn = true;

    // New game: fresh shuffled board, grid, full draw, zeroed labels and the tune.
    void Game_Start_Click();
    // Press on the board at (x, y) twips inside Pic; every button slides.
    void Pic_MouseDown(int button, int shift, float x, float y);
    // An arrow key during a game: a press on the panel on the far side of the blank, which
    // slides towards the arrow (Left slides the panel right of the blank to the left). With no
    // panel there, a press on the blank, which slides nothing.
    void Pic_KeyDown(ArrowKey key);
    // The blank's cell while a game runs; {0, 0} otherwise.
    Cell BlankCell() const;
    // The panel an arrow key would slide; {0, 0} when the blank lies on that edge or no game runs.
    Cell PanelForKey(ArrowKey key) const;
    // Give up after asking; nothing happens unless a game is in progress.
    void Game_Reset_Click();
    // Ends the game display: stops play, hides the grid and shows the whole picture.
    void EndGame();
    // Before a choice that discards a game in progress (giving up, another grid size or picture):
    // true when no game runs or the player answers Yes to question.
    bool ConfirmDiscard(const char* question);
    // Discards the game in progress: ends it and stops its tune.
    void DiscardGame();

    struct Evaluation {
        std::int32_t placedCount;
        bool complete;
        std::int32_t placedPercent;
        std::int32_t runningScore;
    };
    // Panels at home, whole percent of them, and the score the game would get now.
    Evaluation EvaluateBoard();

    // Half-second clock tick: time and score labels and the tune's restart, only during a game.
    void Timer1_Timer();

    void FillSolved();
    void Shuffle();

  private:
    bool SizeSupported() const;
    void RefreshChangedPanels();
    void CompleteGame(const Evaluation& evaluation);

    PuzzleWindowOps& ops_;
};

}  // namespace zorvat
