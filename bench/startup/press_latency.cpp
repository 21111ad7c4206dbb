// Press-to-screen latency: starts a press host (press_host.cpp), then repeats its cycle of steps,
// each a real X input event sent through XTest, and times every board press from the event to the
// first damage of the window's board on the X server (XDamage), that is, until the changed pixels
// have reached the server. Keys of the cycle (putting the board back) are waited for, not timed.
// Without the DAMAGE extension it polls the board's pixels instead.
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
#include <thread>
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

class Board {
  public:
    Board(Display* display, Window window, Rect rect)
        : display_(display), window_(window), rect_(rect) {
        int error = 0;
        useDamage_ = XDamageQueryExtension(display, &damageEvent_, &error) != 0;
        if (useDamage_) damage_ = XDamageCreate(display, window, XDamageReportRawRectangles);
        XSync(display, False);
    }

    bool UsesDamage() const { return useDamage_; }

    // Reads everything the server has sent; true when some of it damaged the board.
    bool DrainDamage() {
        bool hit = false;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (useDamage_ && event.type == damageEvent_ + XDamageNotify) {
                const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
                if (rect_.Meets(damage->area.x, damage->area.y, damage->area.width,
                                damage->area.height))
                    hit = true;
            }
        }
        return hit;
    }

    // Remembers the board's pixels, for polling.
    void Snapshot() {
        if (!useDamage_) before_ = Pixels();
    }

    // Waits until the board changes; the time it was seen, or nothing after `timeout`.
    bool WaitChange(Clock::time_point deadline, Clock::time_point& seen) {
        while (Clock::now() < deadline) {
            if (useDamage_) {
                pollfd fd{ConnectionNumber(display_), POLLIN, 0};
                if (XPending(display_) == 0) poll(&fd, 1, 5);
                if (DrainDamage()) {
                    seen = Clock::now();
                    return true;
                }
            } else {
                if (Pixels() != before_) {
                    seen = Clock::now();
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
        return false;
    }

    // Waits until the board has had no damage for `quiet`, so the next press starts clean.
    void Settle(std::chrono::milliseconds quiet) {
        Clock::time_point last = Clock::now();
        const Clock::time_point limit = last + std::chrono::seconds(5);
        while (Clock::now() - last < quiet && Clock::now() < limit) {
            if (!useDamage_) {
                std::this_thread::sleep_for(quiet);
                return;
            }
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            if (XPending(display_) == 0) poll(&fd, 1, 2);
            if (DrainDamage()) last = Clock::now();
        }
    }

  private:
    std::string Pixels() {
        XImage* image =
            XGetImage(display_, window_, rect_.x, rect_.y, static_cast<unsigned>(rect_.w),
                      static_cast<unsigned>(rect_.h), AllPlanes, ZPixmap);
        if (image == nullptr) return {};
        std::string bytes(image->data, static_cast<std::size_t>(image->bytes_per_line) *
                                           static_cast<std::size_t>(image->height));
        XDestroyImage(image);
        return bytes;
    }

    Display* display_;
    Window window_;
    Rect rect_;
    bool useDamage_ = false;
    int damageEvent_ = 0;
    Damage damage_ = 0;
    std::string before_;
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
    for (int i = 0; i < 10000; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    Board board(display, window, rect);
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
        board.Snapshot();
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
