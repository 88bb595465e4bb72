// Times the real quillorn-display under the current X display: messages handled per second
// (log and text), latency from sending a message to the repainted window, and start-up time
// to the first frame against a minimal GTK 3 window drawing the same frame with Cairo
// (this program itself, started with --gtk-minimal), and messages per second from many
// sender processes at once against the same number from one. Ratios come last.
//
//   bench_display [SENDERS EACH]      (default 100 senders of 100 messages each)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/quillorn_display/display_protocol.h"
#include "platform/x11/copy_data.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

const std::vector<std::string> kParams = {"0",         "0",         "400",       "100",       "40", "1",
                                          "#FF102030", "#FF000000", "#FFBEBEBE", "#FF4DF4FF", "30", "F"};
const char* const kTitle = zu::kDisplayTitle;

// ---- The baseline: one GTK window drawing the panel and text with Cairo ----

gboolean DrawMinimal(GtkWidget* widget, cairo_t* cr, gpointer) {
    const double w = gtk_widget_get_allocated_width(widget), h = gtk_widget_get_allocated_height(widget);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    const double r = 50, inset = 2.5;
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - inset - r, inset + r, r, -G_PI / 2, 0);
    cairo_arc(cr, w - inset - r, h - inset - r, r, 0, G_PI / 2);
    cairo_arc(cr, inset + r, h - inset - r, r, G_PI / 2, G_PI);
    cairo_arc(cr, inset + r, inset + r, r, G_PI, 3 * G_PI / 2);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0xBE / 255.0, 0xBE / 255.0, 0xBE / 255.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 5);
    cairo_set_source_rgb(cr, 0x4D / 255.0, 0xF4 / 255.0, 1);
    cairo_stroke(cr);
    return TRUE;
}

int RunMinimal(int argc, char** argv) {
    gdk_set_allowed_backends("x11");
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), kTitle);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 100);
    gtk_window_move(GTK_WINDOW(window), 0, 0);
    GtkWidget* area = gtk_drawing_area_new();
    g_signal_connect(area, "draw", G_CALLBACK(DrawMinimal), nullptr);
    gtk_container_add(GTK_CONTAINER(window), area);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}

// ---- Driving a program ----

pid_t Start(const std::string& exe, const std::vector<std::string>& args, const fs::path& dir) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(exe.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status;
    waitpid(pid, &status, 0);
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// Pixels of a window area in the panel's fill colour, which the blur leaves exact inside.
int PanelPixels(Display* d, Window w, int x, int y, int width, int height, uint64_t* hash = nullptr) {
    XImage* image = XGetImage(d, w, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return -1;
    int n = 0;
    uint64_t h = 1469598103934665603ull;
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const unsigned long p = XGetPixel(image, i, j) & 0xFFFFFF;
            n += p == 0xBEBEBE;
            h = (h ^ p) * 1099511628211ull;
        }
    }
    XDestroyImage(image);
    if (hash) *hash = h;
    return n;
}

// Milliseconds from starting exe until its window shows the panel.
double StartupMs(Display* d, const std::string& exe, const std::vector<std::string>& args,
                 const fs::path& dir) {
    const auto t0 = Clock::now();
    const pid_t pid = Start(exe, args, dir);
    double ms = -1;
    while (Clock::now() - t0 < std::chrono::seconds(10)) {
        const Window w = zu::FindWindowByTitle(d, kTitle);
        if (w && PanelPixels(d, w, 0, 0, 400, 100) > 1000) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    Stop(pid);
    // Let the window go before the next start looks for one with the same title.
    while (zu::FindWindowByTitle(d, kTitle)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return ms;
}

std::vector<uint8_t> Payload(const std::string& a, const std::string& b) {
    std::vector<uint8_t> out;
    for (std::string s : {a, b}) {
        s.resize(20, ' ');
        for (char c : s) {
            out.push_back(static_cast<uint8_t>(c));
            out.push_back(0);
        }
    }
    return out;
}

// Messages per second from `senders` sender processes at once, each on its own connection
// and sending `each` messages the way quillorn-send does: find the window by its title,
// then send and wait for the answer. Returns 0 when a message went unanswered.
double SenderRate(int senders, int each) {
    const auto start = Clock::now();
    std::vector<pid_t> children;
    for (int s = 0; s < senders; ++s) {
        const pid_t pid = fork();
        if (pid == 0) {
            Display* d = nullptr;
            for (int i = 0; i < 50 && !(d = XOpenDisplay(nullptr)); ++i) usleep(20000);
            if (!d) _exit(2);
            for (int i = 0; i < each; ++i) {
                long result = 0;
                const Window w = zu::FindWindowByTitle(d, kTitle);
                const auto outcome = zu::SendCopyData(
                    d, w, zu::kDisplayCopyDataTag, Payload("sender " + std::to_string(s), std::to_string(i)),
                    result, 60000);
                if (outcome != zu::TzuSendResult::Answered) _exit(1);
            }
            XCloseDisplay(d);
            _exit(0);
        }
        children.push_back(pid);
    }
    bool allAnswered = true;
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        allAnswered = allAnswered && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return allAnswered ? senders * each / seconds : 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--gtk-minimal") return RunMinimal(argc, argv);
    XInitThreads();
    XSetErrorHandler(&IgnoreXErrors);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "bench_display: needs an X display (DISPLAY)\n");
        return 1;
    }
    const std::string display = QUILLORN_DISPLAY;
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const fs::path dir = fs::temp_directory_path() / ("zu_bench_display_" + std::to_string(getpid()));
    fs::create_directories(dir);

    // Start-up, alternating so both see the same machine state.
    std::vector<double> ours, minimal;
    for (int i = 0; i < 7; ++i) {
        ours.push_back(StartupMs(d, display, kParams, dir));
        minimal.push_back(StartupMs(d, self, {"--gtk-minimal"}, dir));
    }

    // Throughput and latency on one running display.
    const pid_t pid = Start(display, kParams, dir);
    Window w = 0;
    const auto t0 = Clock::now();
    while (!(w = zu::FindWindowByTitle(d, kTitle)) && Clock::now() - t0 < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    constexpr int kMessages = 3000;
    long result = 0;
    const auto s0 = Clock::now();
    for (int i = 0; i < kMessages; ++i) {
        zu::SendCopyData(d, w, zu::kDisplayCopyDataTag, Payload("rate " + std::to_string(i), "line two"),
                         result);
    }
    const double rate = kMessages / std::chrono::duration<double>(Clock::now() - s0).count();

    std::vector<double> latencies;
    uint64_t before = 0, now = 0;
    PanelPixels(d, w, 0, 0, 400, 100, &before);
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        zu::SendCopyData(d, w, zu::kDisplayCopyDataTag, Payload(i % 2 ? "WWWW" : "iiii", std::to_string(i)),
                         result);
        while (Clock::now() - start < std::chrono::seconds(1)) {
            PanelPixels(d, w, 0, 0, 400, 100, &now);
            if (now != before) break;
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        before = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The same number of messages from one sender, then from many at once.
    const int senders = argc > 2 ? std::atoi(argv[1]) : 100, each = argc > 2 ? std::atoi(argv[2]) : 100;
    XFlush(d);
    const double sequential = SenderRate(1, senders * each);
    const double concurrent = SenderRate(senders, each);
    Stop(pid);
    XCloseDisplay(d);
    fs::remove_all(dir);

    const double oursMs = Median(ours), minimalMs = Median(minimal);
    std::printf("messages_per_second %.0f\n", rate);
    std::printf("senders_messages_per_second sequential %.0f concurrent %.0f (%d senders x %d)\n", sequential,
                concurrent, senders, each);
    std::printf("ratio concurrent_vs_sequential_messages_per_second %.2f (goal >= 0.5)\n",
                sequential > 0 ? concurrent / sequential : 0.0);
    std::printf("repaint_latency_ms median %.2f p99 %.2f (goal p99 < 33)\n", Median(latencies),
                Percentile(latencies, 0.99));
    std::printf("startup_ms quillorn_display %.1f gtk_minimal %.1f\n", oursMs, minimalMs);
    std::printf("ratio startup_vs_gtk_minimal %.2f (goal <= 1.1)\n",
                minimalMs > 0 ? oursMs / minimalMs : 0.0);
    return 0;
}
