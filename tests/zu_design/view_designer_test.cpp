// zu-view's designer on a headless form: the title, unique names, undo and redo of design
// steps and saving back byte for byte in the form the file was read in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/scene_file/scene_file.h"
#include "app/zu_view/designer.h"
#include "platform/core/stream_text.h"
#include "platform/core/utf.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_design/design_menu.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/host/scene.h"

namespace zu {
namespace {

const char kScene[] = R"(object Root: TzuBackground
  Width = 120
  Height = 80
  object Box: TzuRectangle
    Position.X = 20
    Position.Y = 20
    Width = 40
    Height = 30
  end
end
)";

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ViewDesignerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterAll();
        dir = std::filesystem::path(::testing::TempDir()) / ("view_designer_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        designer.reset();
        form.reset();
        std::filesystem::remove_all(dir);
    }
    // Loads the file as zu-view --design does.
    void Open(const std::filesystem::path& path) {
        const std::vector<uint8_t> data = ReadAll(path);
        form = std::make_unique<TzuForm>(nullptr);
        form->SetDesigning(true);
        TzuWinPoint size;
        TzuCustomScene* scene = LoadSceneFile(*form, data, size, {}, true);
        scene->SetAlign(alClient);
        form->SetBounds(0, 0, 200, 150);
        form->Show();
        app.ProcessMessages();
        designer = std::make_unique<ViewDesigner>(*form, scene, path.string(), data);
    }
    TzuObject* Root() const { return designer->Scene()->Root(); }

    TzuHeadlessApplication app;
    std::filesystem::path dir;
    std::unique_ptr<TzuForm> form;
    std::unique_ptr<ViewDesigner> designer;
};

TEST_F(ViewDesignerTest, SavesALibraryWrittenFileByteForByteInItsOwnForm) {
    // Once written by the library (saved once), a file in either form saves back unchanged.
    const std::vector<uint8_t> binary = ObjectTextToBinary(kScene);
    std::ofstream(dir / "scene.zu", std::ios::binary)
        .write(reinterpret_cast<const char*>(binary.data()), std::streamsize(binary.size()));
    std::ofstream(dir / "scene.txt") << kScene;
    for (const char* file : {"scene.zu", "scene.txt"}) {
        std::vector<uint8_t> saved[2];
        for (auto& bytes : saved) {
            Open(dir / file);
            std::string error;
            ASSERT_TRUE(designer->Save(error)) << error;
            bytes = ReadAll(dir / file);
        }
        EXPECT_EQ(saved[0], saved[1]) << file;
        EXPECT_EQ(saved[0].front() == 'T', std::string(file) == "scene.zu");  // the form it was read in
        EXPECT_EQ(Root()->Name(), "Root");
        EXPECT_NE(Root()->FindComponent("Box"), nullptr);
    }
    // No temporary file is left beside it; a folder that went fails and says why.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
    std::filesystem::remove_all(dir);
    std::string error;
    EXPECT_FALSE(designer->Save(error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST_F(ViewDesignerTest, StepsUndoAndRedoAndTheTitleFollowsTheSelection) {
    std::ofstream(dir / "scene.txt") << kScene;
    Open(dir / "scene.txt");
    TzuDesignMenu* menu = DesignMenuOf(*designer->Scene());
    designer->Scene()->SetDesignSelection(Root());
    ASSERT_TRUE(menu->AddObject(TzuRectangle::StaticClass()));
    // Named after the class, past the names the file already has.
    TzuObject* added = designer->Scene()->DesignSelection();
    EXPECT_EQ(added->Name(), "Rectangle1");
    EXPECT_EQ(Utf16ToUtf8(form->Caption()).rfind("scene.txt - Rectangle Rectangle1 (", 0), 0u)
        << Utf16ToUtf8(form->Caption());
    ASSERT_TRUE(menu->AddObject(TzuRectangle::StaticClass()));
    EXPECT_EQ(designer->Scene()->DesignSelection()->Name(), "Rectangle2");
    EXPECT_EQ(designer->StepCount(), 3u);
    auto count = [&] {
        std::vector<TzuObject*> all;
        designer->Scene()->Root()->CollectObjects(all);
        int n = 0;
        for (TzuObject* o : all) n += o->Stored() && As<TzuRectangle>(o);
        return n;
    };
    EXPECT_EQ(count(), 3);
    ASSERT_TRUE(designer->Undo());
    EXPECT_EQ(count(), 2);
    ASSERT_TRUE(designer->Undo());
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(designer->Undo());  // back at the file as read
    ASSERT_TRUE(designer->Redo());
    EXPECT_EQ(count(), 2);
    // A new step after an undo drops what could be redone.
    designer->Scene()->SetDesignSelection(designer->Scene()->Root());
    ASSERT_TRUE(DesignMenuOf(*designer->Scene())->AddObject(TzuRectangle::StaticClass()));
    EXPECT_FALSE(designer->Redo());
    std::string error;
    ASSERT_TRUE(designer->Save(error)) << error;
    const std::vector<uint8_t> saved = ReadAll(dir / "scene.txt");
    const std::string text(saved.begin(), saved.end());
    EXPECT_NE(text.find("object Rectangle2: TzuRectangle"), std::string::npos) << text;
    EXPECT_NE(text.find("object Box: TzuRectangle"), std::string::npos) << text;
}

}  // namespace
}  // namespace zu
