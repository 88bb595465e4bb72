// The same 1200×800 window of N push buttons in a grid, built with GTK 3 buttons and with
// this library's default-style buttons, each side started as its own process under the
// current X display (this program again, with --gtk N or --zu N). A side reports the
// moment its window's first frame was painted (the frame clock's after-paint of the first
// frame that drew the top-level window) and its peak resident memory then; the driver
// takes the median over interleaved rounds and prints the ratios.
//
//   bench_peer_buttons [ROUNDS]      (default 7)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 1200, kHeight = 800;

struct Cell {
    int x, y, w, h;
};

// The grid both sides use: about square cells filling the window, 2 pixels apart.
Cell CellOf(int i, int n) {
    const int cols = std::max(1, static_cast<int>(std::ceil(std::sqrt(n * double(kWidth) / kHeight))));
    const int rows = std::max(1, (n + cols - 1) / cols);
    const int w = kWidth / cols, h = kHeight / rows;
    return {(i % cols) * w + 2, (i / cols) * h + 2, std::max(1, w - 4), std::max(1, h - 4)};
}

long PeakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

// ---- In a side's process: report the first painted frame of the top-level window ----

void OnAfterPaint(GdkFrameClock*, gpointer) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
    std::printf("%lld %ld\n", static_cast<long long>(ns), PeakRssKb());
    std::fflush(stdout);
    _exit(0);
}

gboolean OnFirstDraw(GtkWidget* widget, cairo_t*, gpointer) {
    if (GdkFrameClock* clock = gtk_widget_get_frame_clock(widget))
        g_signal_connect(clock, "after-paint", G_CALLBACK(OnAfterPaint), nullptr);
    return FALSE;
}

// GTK skips the draw signal of a widget nobody listens to, so the top-level window gets a
// draw handler of ours as soon as it is realized, on either side alike.
gboolean OnRealizeHook(GSignalInvocationHint*, guint, const GValue* params, gpointer) {
    auto* widget = GTK_WIDGET(g_value_get_object(&params[0]));
    if (!gtk_widget_is_toplevel(widget)) return TRUE;
    g_signal_connect_after(widget, "draw", G_CALLBACK(OnFirstDraw), nullptr);
    return TRUE;
}

void WatchFirstFrame() {
    g_signal_add_emission_hook(g_signal_lookup("realize", GTK_TYPE_WIDGET), 0, OnRealizeHook, nullptr,
                               nullptr);
}

std::string Label(int i) { return std::to_string(i + 1); }

int RunGtk(int n, int argc, char** argv) {
    gdk_set_allowed_backends("x11");
    gtk_init(&argc, &argv);
    WatchFirstFrame();
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), kWidth, kHeight);
    GtkWidget* fixed = gtk_fixed_new();
    for (int i = 0; i < n; ++i) {
        const Cell c = CellOf(i, n);
        GtkWidget* button = gtk_button_new_with_label(Label(i).c_str());
        gtk_widget_set_size_request(button, c.w, c.h);
        gtk_fixed_put(GTK_FIXED(fixed), button, c.x, c.y);
    }
    gtk_container_add(GTK_CONTAINER(window), fixed);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}

int RunZu(int n, char** argv) {
    int gtkArgc = 1;
    zu::TzuGtkApplication app(gtkArgc, argv);
    WatchFirstFrame();
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    auto form = std::make_unique<zu::TzuForm>(nullptr);
    form->SetBounds(0, 0, kWidth, kHeight);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    scene->AddObject(root);
    for (int i = 0; i < n; ++i) {
        const Cell c = CellOf(i, n);
        auto* button = new zu::TzuButton(nullptr);
        button->SetBounds(c.x, c.y, c.w, c.h);
        const std::string label = Label(i);
        button->SetText(std::u16string(label.begin(), label.end()));
        button->SetParent(root);
    }
    app.SetMainForm(form.get());
    form->ShowModal();
    return 0;
}

// ---- The driver ----

struct Sample {
    double ms = -1;
    long rssKb = -1;
};

Sample RunSide(const char* self, const char* side, int n) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        const std::string count = std::to_string(n);
        execl(self, self, side, count.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buf[128] = {};
    size_t got = 0;
    for (ssize_t r; got + 1 < sizeof buf && (r = read(fds[0], buf + got, sizeof buf - 1 - got)) > 0;)
        got += static_cast<size_t>(r);
    close(fds[0]);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    long long ns = 0;
    Sample s;
    if (std::sscanf(buf, "%lld %ld", &ns, &s.rssKb) == 2) {
        const auto start =
            std::chrono::duration_cast<std::chrono::nanoseconds>(t0.time_since_epoch()).count();
        s.ms = double(ns - start) / 1e6;
    }
    return s;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && (!std::strcmp(argv[1], "--gtk") || !std::strcmp(argv[1], "--zu"))) {
        const int n = std::atoi(argv[2]);
        try {
            return !std::strcmp(argv[1], "--gtk") ? RunGtk(n, 1, argv) : RunZu(n, argv);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_peer_buttons: %s\n", e.what());
            return 1;
        }
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_peer_buttons: needs an X display (DISPLAY is not set)\n");
        return 1;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    struct Row {
        std::vector<double> ms[2];
        std::vector<double> rss[2];
    };
    const int counts[] = {0, 100, 1000};
    Row rows[3];
    const char* sides[] = {"--gtk", "--zu"};
    // Interleaved: every round starts each side once per count, so both see the same load.
    for (int r = 0; r < rounds; ++r) {
        for (int c = 0; c < 3; ++c) {
            for (int s = 0; s < 2; ++s) {
                const Sample sample = RunSide("/proc/self/exe", sides[s], counts[c]);
                if (sample.ms < 0) {
                    std::fprintf(stderr, "bench_peer_buttons: the %s side with %d buttons showed no frame\n",
                                 sides[s] + 2, counts[c]);
                    return 1;
                }
                rows[c].ms[s].push_back(sample.ms);
                rows[c].rss[s].push_back(double(sample.rssKb));
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        std::printf("buttons %4d  first frame ms gtk %.1f ours %.1f  peak rss KiB gtk %.0f ours %.0f\n",
                    counts[c], Median(rows[c].ms[0]), Median(rows[c].ms[1]), Median(rows[c].rss[0]),
                    Median(rows[c].rss[1]));
    }
    const double perButton[2] = {(Median(rows[2].rss[0]) - Median(rows[0].rss[0])) * 1024 / 1000,
                                 (Median(rows[2].rss[1]) - Median(rows[0].rss[1])) * 1024 / 1000};
    std::printf("bytes_per_button gtk %.0f ours %.0f\n", perButton[0], perButton[1]);
    std::printf("ratio startup_100_buttons_vs_gtk %.2f (goal <= 1.0)\n",
                Median(rows[1].ms[1]) / Median(rows[1].ms[0]));
    std::printf("ratio startup_1000_buttons_vs_gtk %.2f (goal <= 0.8)\n",
                Median(rows[2].ms[1]) / Median(rows[2].ms[0]));
    std::printf("ratio bytes_per_button_vs_gtk %.2f (goal <= 0.7)\n", perButton[1] / perButton[0]);
    return 0;
}
