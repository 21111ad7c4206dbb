// The folder of the running program, where the games look for tunes, the move sound and pictures.
#pragma once

#include <QString>

namespace halvoria {

// The executable's folder with exactly one trailing '/'.
QString ProgramFolder();

// Appends '/' unless the folder already ends with one (a root folder does).
QString WithTrailingSeparator(const QString& folder);

}  // namespace halvoria
