// The start of a GTK program without a D-Bus session bus: settings stay in memory and the
// accessibility bridge off, so no warnings flood the terminal; a reachable bus, or a choice
// the user made in the environment, is left alone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/gtk/gtk_application.h"

namespace zu::test {
namespace {

class SessionBusEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* v = std::getenv(name);
            saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
            unsetenv(name);
        }
        runtime = std::filesystem::temp_directory_path() / ("zu_bus_" + std::to_string(getpid()));
        std::filesystem::create_directories(runtime);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
        std::filesystem::remove_all(runtime);
    }
    static std::string Env(const char* name) {
        const char* v = std::getenv(name);
        return v ? v : "(unset)";
    }
    static constexpr const char* kNames[] = {"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
                                             "GSETTINGS_BACKEND", "NO_AT_BRIDGE"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    std::filesystem::path runtime;
};

TEST_F(SessionBusEnvironment, WithoutABusSettingsStayInMemoryUnlessTheUserChose) {
    TzuGtkApplication::QuietWithoutSessionBus();
    EXPECT_EQ(Env("GSETTINGS_BACKEND"), "memory");
    EXPECT_EQ(Env("NO_AT_BRIDGE"), "1");

    // The user's own choices win.
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("NO_AT_BRIDGE", "0", 1);
    TzuGtkApplication::QuietWithoutSessionBus();
    EXPECT_EQ(Env("GSETTINGS_BACKEND"), "keyfile");
    EXPECT_EQ(Env("NO_AT_BRIDGE"), "0");
}

TEST_F(SessionBusEnvironment, AReachableBusLeavesTheEnvironmentAlone) {
    // The per-user socket in the runtime directory.
    std::ofstream(runtime / "bus") << "";
    TzuGtkApplication::QuietWithoutSessionBus();
    EXPECT_EQ(Env("GSETTINGS_BACKEND"), "(unset)");
    EXPECT_EQ(Env("NO_AT_BRIDGE"), "(unset)");
    // A bus address given by hand.
    std::filesystem::remove(runtime / "bus");
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
    TzuGtkApplication::QuietWithoutSessionBus();
    EXPECT_EQ(Env("GSETTINGS_BACKEND"), "(unset)");
}

}  // namespace
}  // namespace zu::test
