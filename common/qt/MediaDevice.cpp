// The media device as the games see it: a thin front that loads the SDL2_mixer module at the
// first tune or sound and forwards to it. Without the module the device acts as one without an
// audio device: every command fails with kMediaNoDevice and no sound plays.
#include "common/qt/MediaDevice.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "common/media/MediaModule.h"

namespace halvoria {

namespace {

struct Module {
    decltype(&halvoria_media_command) command = nullptr;
    decltype(&halvoria_media_sound) sound = nullptr;
    decltype(&halvoria_media_shutdown) shutdown = nullptr;
};

std::atomic<const Module*> loaded{nullptr};

template <typename Function>
bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

// The module's path: beside the running program, wherever its folder was put.
std::string ModulePath() {
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return kMediaModuleFile;
    std::string path(exe, static_cast<std::size_t>(length));
    path.erase(path.find_last_of('/') + 1);
    return path + kMediaModuleFile;
}

// Loads the module once; a failure is remembered, like a missing sound card.
const Module* TheModule() {
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            std::fprintf(stderr, "no sound: %s\n", dlerror());
            return;
        }
        auto* module = new Module;
        if (!Resolve(handle, "halvoria_media_command", module->command) ||
            !Resolve(handle, "halvoria_media_sound", module->sound) ||
            !Resolve(handle, "halvoria_media_shutdown", module->shutdown)) {
            std::fprintf(stderr, "no sound: %s is incomplete\n", kMediaModuleFile);
            delete module;
            dlclose(handle);
            return;
        }
        loaded.store(module);
    });
    return loaded.load();
}

}  // namespace

int SendMediaCommand(const std::string& command, char* reply, int replyLength) {
    if (const Module* module = TheModule()) {
        return module->command(command.data(), command.size(), reply, replyLength);
    }
    if (reply != nullptr && replyLength > 0) reply[0] = 0;
    return kMediaNoDevice;
}

bool PlaySoundFile(const std::string& name, int /*flags*/) {
    const Module* module = TheModule();
    return module != nullptr && module->sound(name.data(), name.size());
}

void ShutdownMediaDevice() {
    // A device never used is not loaded just to be closed.
    if (const Module* module = loaded.load()) module->shutdown();
}

}  // namespace halvoria
