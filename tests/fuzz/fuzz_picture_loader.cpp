// Feeds arbitrary files to the picture loader through the same path the games use: it must give
// a picture or none, within its size limit and fitted to the board, and never crash.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/qt/PictureLoader.h"

namespace {

QTemporaryDir* folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Both names: the games list *.bmp and *.jpg files, and the loader reads by content.
    for (const char* name : {"/input.bmp", "/input.jpg"}) {
        const QString path = folder->path() + QLatin1String(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        file.close();
        // The puzzle fits every picture inside its built-in picture's 399 x 399.
        const QImage picture = halvoria::LoadPicture(path, QSize(399, 399));
        if (!picture.isNull() && (picture.width() <= 0 || picture.height() <= 0 ||
                                  picture.width() > 399 || picture.height() > 399)) {
            std::abort();
        }
    }
    return 0;
}
