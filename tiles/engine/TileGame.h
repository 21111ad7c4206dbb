// The state and rules of the tile-clearing game: the 20 x 10 board, the deal, group removal with
// falling tiles and closing columns, scoring, the clear, the give-up and the one-step take-back.
#pragma once

#include <cstdint>

#include "tiles/engine/TileWindowOps.h"

namespace quendle {

// The window's title, which is also the title of its message boxes and its section in the store.
inline constexpr const char* kWindowTitle = "Colvane";

// The group a press on one cell would remove, found without touching the game's state.
struct GroupPreview {
    std::int32_t size = 0;    // 0 when the press would remove nothing
    std::int32_t points = 0;  // size squared
    bool member[20][10] = {};
};

class TileGame {
  public:
    explicit TileGame(TileWindowOps& ops);

    // Board layouts, [column][row]: columns 0..19 and rows 0..9 are used, column 20 and row 10
    // are spare and always 0. Cells hold a tile kind 0..3 or kEmpty.
    std::int32_t board[21][11] = {};          // the layout on the screen
    std::int32_t pendingBoard[21][11] = {};   // the layout a move is building
    std::int32_t previousBoard[21][11] = {};  // the layout before the last RefreshPic
    std::int16_t marked[21][11] = {};         // group-search marks, -1 once found
    std::int32_t groupSize = 0, score = 0, previousScore = 0, hiScore = 0;
    bool musicOn = true;
    bool playing = false;

    static constexpr std::int32_t kEmpty = 5;
    static constexpr int kColumns = 20;
    static constexpr int kRows = 10;

    // The start-up state: every used cell of the three layouts empty, the spare cells 0.
    void ClearBoards();

    // New game: deals 200 random tiles, drawing each as it is chosen, and starts the tune.
    void GameStart_Click();
    // A press on the board picture at (x, y) twips; the button and shift state do not matter.
    void GamePic_MouseDown(int button, int shift, float x, float y);
    // Space or Return on the cell cursor: a press at the centre of cell (x, y).
    void GamePic_KeyPress(int x, int y);
    // The group a press on cell (x, y) would remove while a game runs: two or more touching
    // tiles of one kind, with their points. Reads board only.
    GroupPreview PreviewGroup(int x, int y) const;
    // Tiles on the board.
    std::int32_t TilesLeft() const;
    // Take-back of the last removal.
    void ReturnGame_Click();
    // Give-up, after asking; acts only while a game is running.
    void GameReset_Click();
    // Clears the best score, after asking.
    void HScoreClear_Click();
    // The one-second tick: keeps the tune looping during a game.
    void Timer1_Timer();
    // Draws every cell where pendingBoard differs from board, then commits pendingBoard into board
    // and keeps the replaced layout in previousBoard.
    void RefreshPic();

  private:
    void MarkGroup(int x, int y);
    void DropTiles();
    void ScoreRemoval();
    bool BoardIsEmpty() const;
    void ShowScore();
    void ShowHiScore();

    TileWindowOps& ops_;
    // Counts deals, so a give-up can tell that a new game started while its queued events ran.
    std::uint32_t dealCount_ = 0;
    // Set while a give-up lets queued events run, so a second give-up queued meanwhile is ignored.
    bool givingUp_ = false;
};

}  // namespace quendle
