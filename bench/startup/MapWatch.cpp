// SPDX-License-Identifier: MIT
// bench_mapwatch [--limit S] [--settle MS] [--smaps FILE] TITLE -- COMMAND [ARGUMENT...]
//
// Starts COMMAND on $DISPLAY and clocks it until a top-level window whose title contains TITLE is
// mapped. After MS more milliseconds (default 300, so that the first paint counts towards the peak)
// it asks COMMAND to end with SIGTERM, reaps it and prints one line:
//     map_ms=<milliseconds> peak_kib=<maximum resident set> exit=<status, 128+N for signal N>
// --smaps FILE keeps a copy of /proc/<pid>/smaps taken just before the SIGTERM.
// Nothing may hang: without such a window within S seconds (default 20) COMMAND is ended all the
// same and map_ms is "none"; a COMMAND that ignores SIGTERM for 10 s gets SIGKILL.
// Exit status: 0 measured, 2 no window (or COMMAND ended before showing one), 64 bad use.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

double elapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// Windows vanish between an event and our question about them; such a question is simply unanswered.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

struct Watch
{
    Display* display;
    Atom netName;
    Atom utf8;
    const char* wanted;

    bool titleHolds(Window window) const
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, rest = 0;
        unsigned char* data = nullptr;
        bool hit = false;
        // Qt writes the UTF-8 _NET_WM_NAME beside the older WM_NAME; either will do.
        if (XGetWindowProperty(display, window, netName, 0, 4096, False, utf8, &type, &format, &count, &rest, &data) ==
                Success &&
            data) {
            hit = std::strstr(reinterpret_cast<const char*>(data), wanted) != nullptr;
            XFree(data);
        }
        XTextProperty text{};
        if (!hit && XGetWMName(display, window, &text) && text.value) {
            char** list = nullptr;
            int n = 0;
            if (Xutf8TextPropertyToTextList(display, &text, &list, &n) >= Success && list) {
                for (int i = 0; i < n && !hit; ++i)
                    hit = std::strstr(list[i], wanted) != nullptr;
                XFreeStringList(list);
            } else {
                const std::string raw(reinterpret_cast<const char*>(text.value), text.nitems);
                hit = raw.find(wanted) != std::string::npos;
            }
            XFree(text.value);
        }
        return hit;
    }
};

int statusOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

void copySmaps(pid_t pid, const char* target)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps", std::ios::binary);
    std::ofstream out(target, std::ios::binary);
    out << in.rdbuf();
    if (!in || !out)
        std::fprintf(stderr, "bench_mapwatch: could not copy the memory map of %d to %s\n", int(pid), target);
}

// SIGTERM, then up to 10 s for the command to end before SIGKILL.
void endCommand(pid_t pid, int& status, rusage& usage)
{
    kill(pid, SIGTERM);
    const auto asked = std::chrono::steady_clock::now();
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (elapsedMs(asked) > 10000) {
            std::fprintf(stderr, "bench_mapwatch: the command ignored SIGTERM, killing it\n");
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int usage()
{
    std::fprintf(stderr, "usage: bench_mapwatch [--limit SECONDS] [--settle MS] [--smaps FILE] TITLE -- COMMAND...\n");
    return 64;
}

} // namespace

int main(int argc, char** argv)
{
    double limitMs = 20000;
    int settleMs = 300;
    const char* smaps = nullptr;
    int i = 1;
    for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0 && argv[i][2] != '\0'; i += 2) {
        if (std::strcmp(argv[i], "--limit") == 0)
            limitMs = std::atof(argv[i + 1]) * 1000;
        else if (std::strcmp(argv[i], "--settle") == 0)
            settleMs = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--smaps") == 0)
            smaps = argv[i + 1];
        else
            return usage();
    }
    if (argc - i < 3 || std::strcmp(argv[i + 1], "--") != 0 || limitMs <= 0 || settleMs < 0)
        return usage();
    char** command = argv + i + 2;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_mapwatch: cannot open the display \"%s\"\n", XDisplayName(nullptr));
        return 64;
    }
    XSetErrorHandler(ignoreXError);
    const Watch watch{display, XInternAtom(display, "_NET_WM_NAME", False), XInternAtom(display, "UTF8_STRING", False),
                      argv[i]};
    const Window root = DefaultRootWindow(display);
    // Every window made on the root is reported to us; the server must know that before the command starts.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("bench_mapwatch: fork");
        return 64;
    }
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(command[0], command);
        std::fprintf(stderr, "bench_mapwatch: cannot start %s: %s\n", command[0], std::strerror(errno));
        _exit(127);
    }

    double mappedMs = -1;
    bool ended = false;
    int status = 0;
    rusage usage{};
    std::set<Window> mapped;
    while (mappedMs < 0 && !ended && elapsedMs(start) < limitMs) {
        while (mappedMs < 0 && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            switch (event.type) {
            case CreateNotify:
                // A window manager takes new windows into frames of its own: watch the window itself, so
                // that its map and later title changes still reach us wherever it ends up.
                if (event.xcreatewindow.parent == root)
                    XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask | PropertyChangeMask);
                break;
            case MapNotify:
                mapped.insert(event.xmap.window);
                if (watch.titleHolds(event.xmap.window))
                    mappedMs = elapsedMs(start);
                break;
            case UnmapNotify:
                mapped.erase(event.xunmap.window);
                break;
            case PropertyNotify:
                // The title may come after the map.
                if ((event.xproperty.atom == XA_WM_NAME || event.xproperty.atom == watch.netName) &&
                    mapped.count(event.xproperty.window) && watch.titleHolds(event.xproperty.window))
                    mappedMs = elapsedMs(start);
                break;
            default:
                break;
            }
        }
        if (mappedMs >= 0)
            break;
        if (wait4(pid, &status, WNOHANG, &usage) == pid) {
            ended = true;
            break;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 5);
    }

    if (!ended) {
        if (mappedMs >= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        if (smaps)
            copySmaps(pid, smaps);
        endCommand(pid, status, usage);
    }
    XCloseDisplay(display);

    if (mappedMs < 0) {
        std::fprintf(stderr, "bench_mapwatch: no window titled \"%s\" %s\n", argv[i],
                     ended ? "before the command ended" : "within the time limit");
        std::printf("map_ms=none peak_kib=%ld exit=%d\n", usage.ru_maxrss, statusOf(status));
        return 2;
    }
    std::printf("map_ms=%.1f peak_kib=%ld exit=%d\n", mappedMs, usage.ru_maxrss, statusOf(status));
    return 0;
}
