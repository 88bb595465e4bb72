// Style resources: reading the style text, restyling the scenes that use it, the binary
// form a stored form carries, style files by name and the resource going away.

#include "scene/zu_scene/tree/resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

#include "platform/core/class_registry.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/control.h"
#include "visual_test_scene.h"

namespace zu::test {
namespace {

namespace fs = std::filesystem;

std::string StyleText(const char* name, float opacity) {
    return std::string("object TzuVisualObject\n  object TzuVisualObject\n    Opacity = ") +
           std::to_string(opacity) + "\n    DesignHide = True\n    ResourceName = '" + name +
           "'\n  end\nend\n";
}

fs::path ExecutableDir() { return fs::read_symlink("/proc/self/exe").parent_path(); }

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        RegisterClass(TzuVisualObject::StaticClass());
        SetDefaultStyleLoader(nullptr);
        FreeDefaultStyle();
        control = new TzuControl(nullptr);
        control->SetResource("look");
        scene.AddObject(control);
    }
    void TearDown() override { delete control; }
    float Mark() const { return control->StyleObject() ? control->StyleObject()->Opacity() : -1; }

    TestScene scene;
    TzuControl* control = nullptr;
};

TEST_F(Resources, TextChangesRestyleEveryRegisteredSceneAndClearDesignHide) {
    auto res = std::make_unique<TzuResources>(nullptr);
    res->SetResourceText(StyleText("look", 0.5f));
    ASSERT_NE(res->StyleRoot(), nullptr);
    EXPECT_FALSE(As<TzuVisualObject>(res->StyleRoot()->Children(0))->DesignHide());
    scene.SetStyle(res.get());
    EXPECT_FLOAT_EQ(Mark(), 0.5f);
    TestScene other;
    other.SetStyle(res.get());
    const int before = other.styleUpdates;
    res->SetResourceText(StyleText("look", 0.25f));
    EXPECT_FLOAT_EQ(Mark(), 0.25f);
    EXPECT_EQ(other.styleUpdates, before + 1);

    // Unreadable text leaves no root; the binary form round-trips the root.
    auto copy = std::make_unique<TzuResources>(nullptr);
    copy->ReadResourcesBin(res->WriteResourcesBin());
    ASSERT_NE(copy->StyleRoot(), nullptr);
    EXPECT_TRUE(copy->ResourcesBinStored());
    res->SetResourceText("object TzuVisualObject\n  Width = \n");
    EXPECT_EQ(res->StyleRoot(), nullptr);
    EXPECT_FALSE(res->ResourcesBinStored());

    // Freeing the resource clears every scene's Style that pointed at it.
    res.reset();
    EXPECT_EQ(scene.style, nullptr);
    EXPECT_EQ(other.style, nullptr);
    other.SetStyle(copy.get());
    EXPECT_EQ(copy->SceneCount(), 1);
    other.SetStyle(nullptr);
    EXPECT_EQ(copy->SceneCount(), 0);
}

TEST_F(Resources, StyleTextSkipsClassesNoUnitRegistered) {
    TzuResources res(nullptr);
    res.SetResourceText(
        "object TzuVisualObject\n"
        "  object TzuNoSuchEffect\n"
        "    Softness = 0.2\n"
        "    object TzuVisualObject\n"
        "    end\n"
        "  end\n"
        "  object TzuVisualObject\n"
        "    ResourceName = 'look'\n"
        "  end\n"
        "end\n");
    ASSERT_NE(res.StyleRoot(), nullptr);
    EXPECT_EQ(res.StyleRoot()->ChildrenCount(), 1);
    EXPECT_NE(res.StyleRoot()->FindResource("look"), nullptr);
}

TEST_F(Resources, FileNameReadsBesideTheExecutableFirstAndOnlyRegularFilesOfSaneSize) {
    const std::string name = "resources_test_style_" + std::to_string(getpid()) + ".txt";
    const fs::path beside = ExecutableDir() / name;
    const fs::path work = fs::temp_directory_path() / ("resources_test_cwd_" + std::to_string(getpid()));
    fs::create_directories(work);
    const fs::path oldCwd = fs::current_path();
    fs::current_path(work);
    WriteFile(work / name, StyleText("look", 0.75f));
    WriteFile(beside, StyleText("look", 0.5f));

    TzuResources res(nullptr);
    res.SetFileName(name);
    ASSERT_NE(res.StyleRoot(), nullptr);
    EXPECT_FLOAT_EQ(As<TzuVisualObject>(res.StyleRoot()->FindResource("look"))->Opacity(), 0.5f);

    // Only in the current directory: read from there.
    fs::remove(beside);
    TzuResources fromCwd(nullptr);
    fromCwd.SetFileName(name);
    ASSERT_NE(fromCwd.StyleRoot(), nullptr);
    EXPECT_FLOAT_EQ(As<TzuVisualObject>(fromCwd.StyleRoot()->FindResource("look"))->Opacity(), 0.75f);

    // A directory, a missing file and a file past the size limit count as missing: the
    // text stays as it was.
    const std::string kept = fromCwd.ResourceText();
    fs::create_directories(work / "adir");
    fromCwd.SetFileName("adir");
    fromCwd.SetFileName("no_such_style.txt");
    EXPECT_EQ(fromCwd.ResourceText(), kept);
    std::string big;
    EXPECT_TRUE(ReadRegularFile((work / name).string(), 1 << 20, big));
    EXPECT_FALSE(ReadRegularFile((work / name).string(), 10, big));
    EXPECT_FALSE(ReadRegularFile("/dev/zero", TzuResources::kMaxFileSize, big));
    EXPECT_FALSE(ReadRegularFile((work / "adir").string(), TzuResources::kMaxFileSize, big));

    fs::current_path(oldCwd);
    fs::remove_all(work);
}

}  // namespace
}  // namespace zu::test
