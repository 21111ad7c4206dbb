// The audio device of a test program rendered to a file (SDL's "disk" driver), and what a test
// reads back from it. SDL reads its environment when audio starts, so this is set up before the
// first media command of the program.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/qt/MediaDevice.h"
#include "tests/support/MediaTestFiles.h"

namespace halvoria::test {

inline std::filesystem::path& DiskOutput() {
    static std::filesystem::path path;
    return path;
}

class DiskAudioEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        folder_ = std::make_unique<TempFolder>();
        DiskOutput() = folder_->path() / "output.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", DiskOutput().c_str(), 1);
    }
    void TearDown() override {
        ShutdownMediaDevice();
        folder_.reset();
    }

  private:
    std::unique_ptr<TempFolder> folder_;
};

inline std::uintmax_t OutputSize() {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(DiskOutput(), error);
    return error ? 0 : size;
}

// The 16-bit samples written from byte offset on.
inline std::vector<std::int16_t> SamplesFrom(std::uintmax_t offset) {
    const Bytes bytes = ReadFile(DiskOutput());
    std::vector<std::int16_t> samples;
    for (std::uintmax_t i = offset & ~std::uintmax_t{3}; i + 1 < bytes.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return samples;
}

inline int Peak(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (std::int16_t s : samples) peak = std::max(peak, s < 0 ? -int{s} : int{s});
    return peak;
}

inline void Wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace halvoria::test
