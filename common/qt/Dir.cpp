// Dir on QDir: the listing is filtered by type first, so a name that only looks like a picture
// (a folder called x.jpg, a pipe, a dangling link) is never offered to the picture loader.
#include "common/qt/Dir.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace halvoria {

namespace {

bool NameOrder(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    if (folded != 0) return folded < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

}  // namespace

QStringList Dir(const QString& folder, const QList<QStringList>& patternGroups, int limit) {
    QStringList found;
    if (limit <= 0) return found;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable()) return found;

    // Files only (links are followed, so a link to a picture counts); no system entries, which
    // on Unix are pipes, sockets, devices and dangling links.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);

    for (const QStringList& patterns : patternGroups) {
        QList<QRegularExpression> matchers;
        for (const QString& pattern : patterns) {
            matchers.append(
                QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                   QRegularExpression::CaseInsensitiveOption));
        }
        QStringList group;
        for (const QFileInfo& entry : entries) {
            if (!entry.isFile()) continue;
            const QString name = entry.fileName();
            if (found.contains(name)) continue;
            const bool matches = std::any_of(matchers.begin(), matchers.end(), [&](const auto& m) {
                return m.match(name).hasMatch();
            });
            if (matches) group.append(name);
        }
        std::sort(group.begin(), group.end(), NameOrder);
        for (const QString& name : group) {
            if (found.size() >= limit) return found;
            found.append(name);
        }
    }
    return found;
}

namespace {

const QList<QStringList>& PicturePatterns() {
    static const QList<QStringList> patterns = {
        {QStringLiteral("*.bmp")},
        {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")},
        {QStringLiteral("*.png")},
    };
    return patterns;
}

}  // namespace

QStringList PictureFiles(const QString& folder) {
    return Dir(folder, PicturePatterns(), kMaxPictureFiles);
}

bool IsPictureFileName(const QString& name) {
    for (const QStringList& patterns : PicturePatterns()) {
        for (const QString& pattern : patterns) {
            const QRegularExpression matcher(
                QRegularExpression::wildcardToRegularExpression(pattern),
                QRegularExpression::CaseInsensitiveOption);
            if (matcher.match(name).hasMatch()) return true;
        }
    }
    return false;
}

QList<FoundPicture> PictureFiles(const QStringList& folders) {
    QList<FoundPicture> found;
    QStringList names;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) continue;
        const QString withSeparator = folder.endsWith(u'/') ? folder : folder + u'/';
        for (const QString& name : PictureFiles(folder)) {
            if (found.size() >= kMaxPictureFiles) return found;
            if (names.contains(name)) continue;
            names.append(name);
            found.append({name, withSeparator});
        }
    }
    return found;
}

}  // namespace halvoria
