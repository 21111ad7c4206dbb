// Starts Quendle: the tile-clearing game in its one fixed-size window.
#include "common/qt/GameMain.h"
#include "tiles/window/Form1.h"

int main(int argc, char** argv) {
    return halvoria::RunGame<quendle::Form1>(
        argc, argv,
        {"Quendle", "org.halvoria.Quendle",
         "The tile-clearing game: remove groups of like coins until the board is empty."});
}
