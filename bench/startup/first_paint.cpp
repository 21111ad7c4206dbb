// Starts a program and reports how long it took until its window (found by title) was mapped and
// showed more than one colour, that is, had been painted. It looks again whenever the X server
// reports a window mapped under the root or drawing on the program's window (DAMAGE), so the
// figure is the moment the painted pixels reached the server.
// usage: first_paint TITLE TIMEOUT_MS PROGRAM [ARGS...]
// prints "MS PID" (MS is "nan" on a timeout) and leaves the program running.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// The first viewable window with this title, searched depth first from `root`.
Window FindWindow(Display* display, Window root, const char* title) {
    Window parent = 0, rootReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0) continue;
        if (attributes.map_state != IsViewable) continue;
        if (HasTitle(display, children[i], title)) {
            found = children[i];
        } else {
            found = FindWindow(display, children[i], title);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

bool IsPainted(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
    if (attributes.width <= 0 || attributes.height <= 0) return false;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool painted = false;
    for (int y = 0; y < image->height && !painted; ++y) {
        for (int x = 0; x < image->width; ++x) {
            if (XGetPixel(image, x, y) != first) {
                painted = true;
                break;
            }
        }
    }
    XDestroyImage(image);
    return painted;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// Waits for an X event or the end of the program (its pidfd), until the deadline. False when the
// deadline passed or the program ended.
bool WaitForEvent(Display* display, int programFd, Clock::time_point deadline) {
    if (XPending(display) > 0) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {programFd, POLLIN, 0}};
    if (poll(fds, 2, static_cast<int>(left)) <= 0) return false;
    return (fds[1].revents & POLLIN) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: first_paint TITLE TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const char* title = argv[1];
    const long timeoutMs = std::strtol(argv[2], nullptr, 10);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_paint: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);  // windows come and go while the tree is walked
    int damageEvent = 0, damageError = 0;
    if (XDamageQueryExtension(display, &damageEvent, &damageError) == 0) {
        std::fprintf(stderr, "first_paint: no DAMAGE extension\n");
        return 2;
    }
    // Top-level windows being created and mapped are reported from the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    // Readable once the program has ended (before painting, if it is still being waited for).
    const int programFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (programFd < 0) return 2;
    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    std::string result = "nan";
    Window window = 0;
    for (;;) {
        if (window == 0) {
            window = FindWindow(display, DefaultRootWindow(display), title);
            if (window != 0) {
                XDamageCreate(display, window, XDamageReportRawRectangles);
                XSync(display, False);
            }
        }
        if (window != 0 && IsPainted(display, window)) {
            const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start);
            result = std::to_string(std::lround(elapsed.count()));
            break;
        }
        if (!WaitForEvent(display, programFd, deadline)) break;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }
    close(programFd);
    XCloseDisplay(display);
    std::printf("%s %d\n", result.c_str(), static_cast<int>(pid));
    return 0;
}
