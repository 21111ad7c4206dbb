// Registration of the embedded pictures and the window icon of both games.
#include "resources/pictures/BuiltinPictures.h"

#include <QString>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterPictureResources() { Q_INIT_RESOURCE(halvoria_pictures); }

namespace halvoria::pictures {

void InitBuiltinPictures() { RegisterPictureResources(); }

QIcon WindowIcon() {
    InitBuiltinPictures();
    QIcon icon;
    for (const char* path : {kIcon32, kIcon48, kIcon64, kIcon128, kIcon256})
        icon.addFile(QString::fromLatin1(path));
    return icon;
}

}  // namespace halvoria::pictures
