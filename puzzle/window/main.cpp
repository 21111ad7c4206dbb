// Starts Zorvat: the sliding picture puzzle in its one fixed-size window.
#include "common/qt/GameMain.h"
#include "puzzle/window/ZorvatFrm.h"

int main(int argc, char** argv) { return halvoria::RunGame<zorvat::ZorvatFrm>(argc, argv); }
