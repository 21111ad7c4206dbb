// Starts Zorvat: the sliding picture puzzle in its one fixed-size window.
#include "common/qt/GameMain.h"
#include "puzzle/window/ZorvatFrm.h"

int main(int argc, char** argv) {
    return halvoria::RunGame<zorvat::ZorvatFrm>(
        argc, argv,
        {"Zorvat", "org.halvoria.Zorvat",
         "The sliding picture puzzle: slide the panels back until the picture is whole."});
}
