// Times a program from its exec to the mapping of its first top-level window, as the X server reports it,
// without polling: it listens to the root window's structure events before the program starts.
// Usage: map_time RUNS PROGRAM [ARGS...]; prints one figure in microseconds per run.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Disconnect
{
    void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
};

bool WatchRoot(xcb_connection_t *c)
{
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    auto cookie = xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(xcb_request_check(c, cookie),
                                                                     &std::free);
    return !error;
}

// Waits for a top-level map; false when the connection failed first.
bool WaitForMap(xcb_connection_t *c)
{
    while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped)
            return true;
    }
    return false;
}

// Forgets what the last run's windows reported after it was ended.
void Drain(xcb_connection_t *c)
{
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t *event = xcb_poll_for_event(c))
        std::free(event);
}

// The program's time to its first mapped window, in microseconds; -1 when it could not be started or shown.
long TimeOneRun(xcb_connection_t *c, char **argv)
{
    const auto begin = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
        return -1;
    const bool mapped = WaitForMap(c);
    const auto end = Clock::now();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    Drain(c);
    // A start right after an exit finds the system still tearing the last run down, which no user sees.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (!mapped)
        return -1;
    return std::chrono::duration_cast<std::chrono::microseconds>(end - begin).count();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_time RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::unique_ptr<xcb_connection_t, Disconnect> c(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(c.get()) || !WatchRoot(c.get())) {
        std::fprintf(stderr, "map_time: cannot watch the display's root window\n");
        return 1;
    }
    for (int run = 0; run < runs; ++run) {
        const long us = TimeOneRun(c.get(), argv + 2);
        if (us < 0) {
            std::fprintf(stderr, "map_time: %s did not map a window\n", argv[2]);
            return 1;
        }
        std::printf("%ld\n", us);
        std::fflush(stdout);
    }
    return 0;
}
