// The program folder as the games use it: always ending in the separator.
#include "common/qt/ProgramFolder.h"

#include <QCoreApplication>

namespace halvoria {

QString WithTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString ProgramFolder() { return WithTrailingSeparator(QCoreApplication::applicationDirPath()); }

}  // namespace halvoria
