// make_pictures OUTPUT_FOLDER: paints every built-in picture, the window icon and the launcher
// icons and writes them into OUTPUT_FOLDER. A file whose bytes would not change is left untouched.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <vector>

#include "tools/pictures/BitmapFiles.h"
#include "tools/pictures/Painters.h"

namespace {

using halvoria::picturegen::EncodeBmp24;

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) return true;
    existing.close();
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts come from fontconfig whatever display the caller has, so the output never depends
    // on one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    QString missing;
    if (!halvoria::picturegen::FontsAvailable(&missing)) {
        std::fprintf(stderr, "make_pictures: the font \"%s\" is not installed\n",
                     qPrintable(missing));
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", argv[1]);
        return 1;
    }

    namespace gen = halvoria::picturegen;
    struct Output {
        QString name;
        QByteArray bytes;
    };
    std::vector<Output> outputs = {
        {"puzzle.bmp", EncodeBmp24(gen::PaintPuzzlePicture())},
        {"frame.bmp", EncodeBmp24(gen::PaintFrame())},
        {"plate.bmp", EncodeBmp24(gen::PaintPlate())},
        {"caption_sample.bmp", EncodeBmp24(gen::PaintCaption(QStringLiteral("- sample -")))},
        {"caption_times.bmp", EncodeBmp24(gen::PaintCaption(QStringLiteral("- times -")))},
        {"caption_time.bmp", EncodeBmp24(gen::PaintCaption(QStringLiteral("- time -")))},
        {"caption_score.bmp", EncodeBmp24(gen::PaintCaption(QStringLiteral("- score -")))},
        {"background.bmp", EncodeBmp24(gen::PaintTileBackground())},
        {"tiles.bmp", EncodeBmp24(gen::PaintTileStrip())},
        {"icon.ico", gen::EncodeIco4(gen::PaintEmblemPixels(), gen::EmblemPalette())},
        {"icon-32.png", EncodePng(gen::PaintEmblemPixels())},
    };
    for (const int size : {48, 64, 128, 256})
        outputs.push_back(
            {QStringLiteral("icon-%1.png").arg(size), EncodePng(gen::PaintEmblem(size))});
    // The desktop entries' icons, at the sizes of the hicolor theme; installed, not embedded.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        outputs.push_back({QStringLiteral("launcher-zorvat-%1.png").arg(size),
                           EncodePng(gen::PaintPuzzleLauncher(size))});
        outputs.push_back({QStringLiteral("launcher-quendle-%1.png").arg(size),
                           EncodePng(gen::PaintCoinLauncher(size))});
    }

    int failures = 0;
    for (const Output& output : outputs) {
        const QString path = folder.filePath(output.name);
        if (output.bytes.isEmpty() || !WriteIfChanged(path, output.bytes)) {
            std::fprintf(stderr, "make_pictures: could not write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
