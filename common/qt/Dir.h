// The directory search the games use to find picture files in the program folder.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace halvoria {

// Ordinary files of folder (no folders, no special files, nothing hidden) whose names match one
// group of wildcard patterns, letter case ignored. Groups follow each other in the order given;
// within a group the names are in name order ignoring case. At most limit names, without the
// folder. A folder that cannot be listed gives an empty list.
QStringList Dir(const QString& folder, const QList<QStringList>& patternGroups, int limit);

// The puzzle pictures: *.bmp, then *.jpg and *.jpeg together; at most 100.
QStringList PictureFiles(const QString& folder);

inline constexpr int kMaxPictureFiles = 100;

}  // namespace halvoria
