#pragma once
// DisplayProcess runs the real quillorn-display under the test's X display, in a scratch
// directory of its own (where its tst.txt goes), and gives the tests what a user sees:
// its window, its error boxes, its pixels and its standard error.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <X11/Xlib.h>
#include <sys/types.h>

namespace zu::test {

class DisplayProcess {
public:
    explicit DisplayProcess(std::vector<std::string> params,
                            std::vector<std::string> env = {"LC_ALL=C.UTF-8"});
    ~DisplayProcess();
    DisplayProcess(const DisplayProcess&) = delete;
    DisplayProcess& operator=(const DisplayProcess&) = delete;

    Display* X() const { return m_display; }
    pid_t Pid() const { return m_pid; }
    bool Running();
    // The wait status once the process has ended (see Running), else -1.
    int WaitStatus() const { return m_status; }
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path LogFile() const { return m_dir / "tst.txt"; }
    std::string ReadLog() const;
    std::string Stderr() const;

    // The window titled "QuillornDisplay" once it is mapped; 0 when it did not come.
    Window WaitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The error box (titled with the program's name); 0 when none came.
    Window WaitForErrorBox(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Presses Return on the error box as a user would, and waits until it is gone.
    bool DismissErrorBox(Window box);

    // The window's position on the screen and its size.
    struct Geometry {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Geometry GeometryOf(Window w);
    // The window's pixels as 0x00RRGGBB, row by row.
    std::vector<uint32_t> Pixels(Window w, int& width, int& height);
    // Pixels within 2 per channel of rgb.
    int CountColour(Window w, uint32_t rgb);
    // Polls pred every 20 ms until it holds or the timeout passes.
    static bool WaitUntil(const std::function<bool()>& pred,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // Sends a copy-data message and returns the window's answer, or -1 when none came.
    long Send(uint32_t tag, const std::vector<uint8_t>& bytes, int timeoutMs = 5000);

    // Resident memory of the process in KiB (VmRSS).
    long RssKiB() const;

private:
    Window WaitForTitle(const std::string& title, std::chrono::milliseconds timeout);

    std::filesystem::path m_dir;
    pid_t m_pid = -1;
    int m_status = -1;
    Display* m_display = nullptr;
};

// Two lines of UTF-16 padded with blanks to 20 units each, as the sender lays them out.
std::vector<uint8_t> Payload(std::u16string line1, std::u16string line2);

}  // namespace zu::test
