// The directory search the games use to find picture files in the program folder and the player's
// own picture folder.
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

// The puzzle pictures: *.bmp, then *.jpg and *.jpeg together, then *.png; at most 100.
QStringList PictureFiles(const QString& folder);

inline constexpr int kMaxPictureFiles = 100;

// Whether a file name is one PictureFiles lists (by its ending, letter case ignored).
bool IsPictureFileName(const QString& name);

// A picture file and the folder it was found in (with its trailing separator).
struct FoundPicture {
    QString name;
    QString folder;
};

// The puzzle pictures of several folders, each folder's in the order of PictureFiles, earlier
// folders first. A name found in an earlier folder is not listed again. At most 100 in all.
QList<FoundPicture> PictureFiles(const QStringList& folders);

}  // namespace halvoria
