// Measures how long programs take from launch to their window being mapped,
// and their peak resident memory. Listens for MapNotify on the root window
// (no polling), closes each window as a window manager would, and reads the
// peak from the exited process's rusage. Runs the programs in turn, RUNS
// times each, and prints one line per program:
//   NAME median_ms MS peak_kb KB
//   startup_probe RUNS PROGRAM...
#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

struct sample {
    double ms;
    long peak_kb;
};

// Waits for the first top-level window mapped after the launch.
Window wait_for_map(Display* display) {
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) return event.xmap.window;
    }
}

void ask_to_close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

bool run_once(Display* display, char* program, sample& out) {
    char* argv[] = {program, nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
    const Window window = wait_for_map(display);
    const auto mapped = std::chrono::steady_clock::now();
    ask_to_close(display, window);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    out.ms = std::chrono::duration<double, std::milli>(mapped - start).count();
    out.peak_kb = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || runs < 1) {
        std::fprintf(stderr, "startup_probe: no display, or no runs\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int programs = argc - 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    std::vector<std::vector<long>> peaks(static_cast<std::size_t>(programs));
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < programs; ++p) { // alternate, so drift hits both alike
            sample s{};
            if (!run_once(display, argv[2 + p], s)) {
                std::fprintf(stderr, "startup_probe: %s failed\n", argv[2 + p]);
                return 1;
            }
            times[static_cast<std::size_t>(p)].push_back(s.ms);
            peaks[static_cast<std::size_t>(p)].push_back(s.peak_kb);
        }
    }
    for (int p = 0; p < programs; ++p) {
        std::printf("%s median_ms %.2f peak_kb %ld\n", argv[2 + p],
                    median(times[static_cast<std::size_t>(p)]),
                    median(peaks[static_cast<std::size_t>(p)]));
    }
    XCloseDisplay(display);
    return 0;
}
