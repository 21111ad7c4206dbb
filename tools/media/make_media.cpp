// Writes the shipped tunes and move sound into a folder: make_media <folder>.
// The output depends on nothing but this program, so running it again gives the same files.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "tools/media/PopSound.h"
#include "tools/media/Tunes.h"

namespace {

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) std::fprintf(stderr, "make_media: cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_media FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        using namespace halvoria::media;
        const bool ok = Write(folder + "music.mid", ComposePuzzleTune()) &&
                        Write(folder + "music2.mid", ComposeTileTune()) &&
                        Write(folder + "poka!.wav", MakePopSound());
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_media: %s\n", error.what());
        return 1;
    }
}
