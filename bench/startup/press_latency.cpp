// Press-to-screen latency: starts a press host (press_host.cpp), then repeats its cycle of steps,
// each a real X input event sent through XTest, and times every board press from the event to the
// first damage of the window's board on the X server (XDamage), that is, until the changed pixels
// have reached the server. Keys of the cycle (putting the board back) are waited for, not timed.
// The X server must offer XTest and DAMAGE.
// usage: press_latency PRESSES WARMUP HOST [ARGS...]
// prints "p50 p99 max presses" in milliseconds; exits non-zero when a step got no answer.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Step {
    bool click = false;
    int x = 0, y = 0;          // click: window pixels
    std::vector<KeySym> keys;  // key: modifiers first, the key last
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Meets(int ox, int oy, int ow, int oh) const {
        return ox < x + w && x < ox + ow && oy < y + h && y < oy + oh;
    }
};

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::vector<KeySym> ParseKeys(const std::string& text) {
    std::vector<KeySym> keys;
    std::stringstream parts(text);
    std::string part;
    while (std::getline(parts, part, '+')) {
        if (part == "ctrl") {
            keys.push_back(XK_Control_L);
        } else {
            keys.push_back(XStringToKeysym(part.c_str()));
        }
    }
    return keys;
}

// Waits for the next event from the server until the deadline; false when none came.
bool WaitForEvent(Display* display, Clock::time_point deadline) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left));
    }
    return true;
}

// Waits until the window is viewable (there is no window manager, so mapping shows it).
bool WaitMapped(Display* display, Window window, Clock::time_point deadline) {
    XSelectInput(display, window, StructureNotifyMask);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable)
        return true;
    while (WaitForEvent(display, deadline)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.window == window) return true;
    }
    return false;
}

class Board {
  public:
    Board(Display* display, Window window, Rect rect, int damageEvent)
        : display_(display), rect_(rect), damageEvent_(damageEvent) {
        XDamageCreate(display, window, XDamageReportRawRectangles);
        XSync(display, False);
    }

    // Reads everything the server has sent; true when some of it damaged the board.
    bool DrainDamage() {
        bool hit = false;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damageEvent_ + XDamageNotify) {
                const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
                if (rect_.Meets(damage->area.x, damage->area.y, damage->area.width,
                                damage->area.height))
                    hit = true;
            }
        }
        return hit;
    }

    // Waits until the board changes; the time it was seen, or nothing after `timeout`.
    bool WaitChange(Clock::time_point deadline, Clock::time_point& seen) {
        while (WaitForEvent(display_, deadline)) {
            if (DrainDamage()) {
                seen = Clock::now();
                return true;
            }
        }
        return false;
    }

    // Waits until the board has had no damage for `quiet`, so the next press starts clean.
    void Settle(std::chrono::milliseconds quiet) {
        Clock::time_point last = Clock::now();
        const Clock::time_point limit = last + std::chrono::seconds(5);
        while (Clock::now() < limit) {
            // Quiet once no event came for `quiet` since the last damage.
            if (!WaitForEvent(display_, std::min(last + quiet, limit))) {
                if (Clock::now() >= last + quiet) return;
                continue;
            }
            if (DrainDamage()) last = Clock::now();
        }
    }

  private:
    Display* display_;
    Rect rect_;
    int damageEvent_;
};

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
    return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: press_latency PRESSES WARMUP HOST [ARGS...]\n");
        return 2;
    }
    const int presses = std::atoi(argv[1]);
    const int warmup = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "press_latency: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    int event = 0, error = 0, major = 0, minor = 0;
    if (XTestQueryExtension(display, &event, &error, &major, &minor) == 0) {
        std::fprintf(stderr, "press_latency: no XTest extension\n");
        return 2;
    }
    int damageEvent = 0;
    if (XDamageQueryExtension(display, &damageEvent, &error) == 0) {
        std::fprintf(stderr, "press_latency: no DAMAGE extension\n");
        return 2;
    }

    int out[2];
    if (pipe(out) != 0) return 2;
    const pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    close(out[1]);
    FILE* host = fdopen(out[0], "r");
    Window window = 0;
    Rect rect;
    std::vector<Step> steps;
    char line[256];
    bool ready = false;
    while (!ready && std::fgets(line, sizeof line, host) != nullptr) {
        std::stringstream words(line);
        std::string word;
        words >> word;
        if (word == "window") {
            words >> window;
        } else if (word == "board") {
            words >> rect.x >> rect.y >> rect.w >> rect.h;
        } else if (word == "step") {
            Step step;
            std::string kind;
            words >> kind;
            if (kind == "click") {
                step.click = true;
                words >> step.x >> step.y;
            } else {
                std::string keys;
                words >> keys;
                step.keys = ParseKeys(keys);
            }
            steps.push_back(step);
        } else if (word == "go") {
            ready = true;
        }
    }
    const auto stop = [&](int code) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        XCloseDisplay(display);
        return code;
    };
    if (!ready || window == 0 || steps.empty()) {
        std::fprintf(stderr, "press_latency: the host gave no plan\n");
        return stop(2);
    }

    // Wait until the window is on screen, then give it the keyboard (there is no window manager).
    if (!WaitMapped(display, window, Clock::now() + std::chrono::seconds(10))) {
        std::fprintf(stderr, "press_latency: the host's window never showed\n");
        return stop(2);
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    Board board(display, window, rect, damageEvent);
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &rootX, &rootY,
                          &child);
    board.Settle(std::chrono::milliseconds(200));

    std::vector<double> times;
    int failures = 0;
    for (std::size_t n = 0; static_cast<int>(times.size()) < presses && failures == 0; ++n) {
        const Step& step = steps[n % steps.size()];
        const bool timed = step.click && static_cast<int>(n) >= warmup;
        if (step.click) {
            XTestFakeMotionEvent(display, -1, rootX + step.x, rootY + step.y, CurrentTime);
            XSync(display, False);
            board.Settle(std::chrono::milliseconds(5));
        }
        board.DrainDamage();
        const Clock::time_point start = Clock::now();
        if (step.click) {
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
        } else {
            for (KeySym key : step.keys)
                XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
        }
        XFlush(display);
        Clock::time_point seen;
        if (!board.WaitChange(start + std::chrono::seconds(5), seen)) {
            ++failures;
        } else if (timed) {
            times.push_back(Ms(seen - start));
        }
        if (step.click) {
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
        } else {
            for (auto key = step.keys.rbegin(); key != step.keys.rend(); ++key) {
                XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
            }
        }
        XFlush(display);
        board.Settle(std::chrono::milliseconds(10));
    }
    if (failures > 0) {
        std::fprintf(stderr, "press_latency: a step changed nothing on the board within 5 s\n");
        return stop(1);
    }
    std::printf("%.2f %.2f %.2f %zu\n", Percentile(times, 0.5), Percentile(times, 0.99),
                Percentile(times, 1.0), times.size());
    return stop(0);
}
