#pragma once
// TzuDisplayGtkApplication is a small GTK 3 application object for the display program:
// GTK main loop, idle-posted messages, GLib timers, a modal error dialog, borderless
// top-level windows holding drawing-area child windows that show the pixels their
// controls put into them. It covers what the display form needs until the shared GTK
// platform layer is in place. The program owns it; windows belong to their controls.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/core/application.h"

namespace zu {

class TzuDisplayGtkApplication : public TzuApplication {
public:
    TzuDisplayGtkApplication(int& argc, char**& argv);
    ~TzuDisplayGtkApplication() override;

    void Run() override;
    void Terminate() override;
    bool Terminated() const override { return m_terminated; }
    void ProcessMessages() override;
    uint64_t PostMessage(std::function<void()> fn) override;
    void CancelMessage(uint64_t id) override;
    uint64_t StartTimer(unsigned intervalMs, std::function<void()> fn) override;
    void StopTimer(uint64_t id) override;
    std::unique_ptr<IzuWindow> CreateFormWindow(IzuWindowEvents& events) override;
    std::unique_ptr<IzuWindow> CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) override;

protected:
    void ShowErrorBox(const std::string& title, const std::string& text) override;

private:
    struct Posted;
    static int RunPosted(void* data);

    std::map<uint64_t, unsigned> m_posted;  // message id -> GLib source id
    uint64_t m_nextId = 1;
    bool m_terminated = false;
    bool m_running = false;
};

}  // namespace zu
