#include "tests/display/display_process.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/x11/copy_data.h"

namespace zu::test {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Xvfb now and then refuses a connection made right after another closed.
Display* OpenDisplay() {
    for (int i = 0; i < 50; ++i) {
        if (Display* d = XOpenDisplay(nullptr)) return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

DisplayProcess::DisplayProcess(std::vector<std::string> params, std::vector<std::string> env) {
    static int counter = 0;
    m_dir = fs::temp_directory_path() /
            ("zu_display_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    // Windows of the program may go while the tests look at them.
    XSetErrorHandler(&IgnoreXErrors);
    m_display = OpenDisplay();
    const std::string errPath = (m_dir / "stderr.txt").string();
    m_pid = ::fork();
    if (m_pid == 0) {
        if (::chdir(m_dir.c_str()) != 0) ::_exit(126);
        FILE* err = std::freopen(errPath.c_str(), "w", stderr);
        if (!err) ::_exit(126);
        for (const std::string& e : env) ::putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(QUILLORN_DISPLAY));
        for (std::string& p : params) argv.push_back(p.data());
        argv.push_back(nullptr);
        ::execv(QUILLORN_DISPLAY, argv.data());
        ::_exit(127);
    }
}

DisplayProcess::~DisplayProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    if (m_display) XCloseDisplay(m_display);
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

bool DisplayProcess::Running() {
    if (m_pid <= 0) return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        m_status = status;
        return false;
    }
    return true;
}

std::string DisplayProcess::ReadLog() const { return ReadAll(LogFile()); }
std::string DisplayProcess::Stderr() const { return ReadAll(m_dir / "stderr.txt"); }

bool DisplayProcess::WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

Window DisplayProcess::WaitForTitle(const std::string& title, std::chrono::milliseconds timeout) {
    Window found = 0;
    WaitUntil(
        [&] {
            if (!Running()) return true;
            found = FindWindowByTitle(m_display, title);
            if (!found) return false;
            XWindowAttributes a;
            return XGetWindowAttributes(m_display, found, &a) && a.map_state == IsViewable;
        },
        timeout);
    return found;
}

Window DisplayProcess::WaitForWindow(std::chrono::milliseconds timeout) {
    return WaitForTitle("QuillornDisplay", timeout);
}

Window DisplayProcess::WaitForErrorBox(std::chrono::milliseconds timeout) {
    return WaitForTitle("quillorn-display", timeout);
}

bool DisplayProcess::DismissErrorBox(Window box) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string cmd =
            "xdotool windowfocus --sync " + std::to_string(box) + " key Return >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0) continue;
        const bool gone = WaitUntil(
            [&] {
                XWindowAttributes a;
                return !XGetWindowAttributes(m_display, box, &a) || a.map_state != IsViewable;
            },
            std::chrono::seconds(2));
        if (gone) return true;
    }
    return false;
}

DisplayProcess::Geometry DisplayProcess::GeometryOf(Window w) {
    Geometry g;
    XWindowAttributes a;
    if (!XGetWindowAttributes(m_display, w, &a)) return g;
    Window child;
    XTranslateCoordinates(m_display, w, DefaultRootWindow(m_display), 0, 0, &g.x, &g.y, &child);
    g.width = a.width;
    g.height = a.height;
    return g;
}

std::vector<uint32_t> DisplayProcess::Pixels(Window w, int& width, int& height) {
    std::vector<uint32_t> out;
    XWindowAttributes a;
    width = height = 0;
    if (!XGetWindowAttributes(m_display, w, &a)) return out;
    XImage* image = XGetImage(m_display, w, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!image) return out;
    width = a.width;
    height = a.height;
    out.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    }
    XDestroyImage(image);
    return out;
}

int DisplayProcess::CountColour(Window w, uint32_t rgb) {
    int width, height, n = 0;
    for (uint32_t p : Pixels(w, width, height)) {
        bool near = true;
        for (int shift = 0; shift < 24; shift += 8) {
            near = near && std::abs(int((p >> shift) & 0xFF) - int((rgb >> shift) & 0xFF)) <= 2;
        }
        n += near;
    }
    return n;
}

long DisplayProcess::Send(uint32_t tag, const std::vector<uint8_t>& bytes, int timeoutMs) {
    Display* d = OpenDisplay();
    if (!d) return -1;
    long result = -1;
    const Window target = FindWindowByTitle(d, "QuillornDisplay");
    if (SendCopyData(d, target, tag, bytes, result, timeoutMs) != TzuSendResult::Answered) result = -1;
    XCloseDisplay(d);
    return result;
}

long DisplayProcess::RssKiB() const {
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

std::vector<uint8_t> Payload(std::u16string line1, std::u16string line2) {
    line1.resize(20, u' ');
    line2.resize(20, u' ');
    std::vector<uint8_t> out;
    for (char16_t c : line1 + line2) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

}  // namespace zu::test
