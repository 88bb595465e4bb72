// A clone takes its values straight from the source, not through bytes: it must be the
// very copy a write of the source and a read of it would make. Every style of the default
// style and every object of the gallery is cloned both ways and the two copies written
// again; so are values a stream changes on the way (broken text, fractions, -0) and
// references, which a copy resolves by name as a read does.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "scene/zu_ani/color_animation.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

std::vector<uint8_t> Bytes(TzuObject* object) {
    std::vector<uint8_t> bytes;
    SaveObjectToStream(object, bytes);
    return bytes;
}

// The copy a write and a read make, as cloning did before it skipped the bytes.
std::unique_ptr<TzuObject> ThroughStream(TzuObject* source) {
    std::unique_ptr<TzuObject> copy(static_cast<TzuObject*>(source->ClassType().create(nullptr)));
    ReadObjectInto(copy.get(), Bytes(source));
    return copy;
}

void ExpectSameClone(TzuObject* source, const std::string& what) {
    std::unique_ptr<TzuObject> direct(CloneObject(source, nullptr));
    ASSERT_NE(direct, nullptr) << what;
    const std::unique_ptr<TzuObject> streamed = ThroughStream(source);
    EXPECT_EQ(Bytes(direct.get()), Bytes(streamed.get())) << what;
    ASSERT_EQ(direct->ChildrenCount(), streamed->ChildrenCount()) << what;
    for (int i = 0; i < direct->ChildrenCount(); ++i)
        EXPECT_EQ(direct->Children(i)->ClassType().name, streamed->Children(i)->ClassType().name) << what;
}

class CloneTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLibraryClasses(); }
};

TEST_F(CloneTest, EveryShippedObjectClonesAsAWriteAndAReadWould) {
    TzuObject* styles = LoadDefaultStyle();
    ASSERT_NE(styles, nullptr);
    ASSERT_GT(styles->ChildrenCount(), 100);
    for (int i = 0; i < styles->ChildrenCount(); ++i)
        ExpectSameClone(styles->Children(i), styles->Children(i)->ResourceName());

    std::ifstream file(ZU_SOURCE_DIR "/resources/gallery.txt", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::unique_ptr<TzuObject> gallery(LoadObjectFromText(nullptr, text.str()));
    ASSERT_NE(gallery, nullptr);
    ExpectSameClone(gallery.get(), "gallery");
    for (int i = 0; i < gallery->ChildrenCount(); ++i)
        ExpectSameClone(gallery->Children(i), std::string("gallery part ") + std::to_string(i));
}

TEST_F(CloneTest, ValuesAStreamChangesAreChangedTheSameWay) {
    TzuRectangle root(nullptr);
    root.SetName("Root");
    root.Position()->SetPoint({10.12345f, -0.0f});  // written to three places; -0 reads as 0
    root.Padding()->SetRect({0.5f, 1, 2, 3});
    root.Fill()->SetColor(0x80FF0000);
    auto* text = new TzuText(&root);
    text->SetParent(&root);
    text->SetText(u"bad \xD800 surrogate");   // a lone surrogate reads back as U+FFFD
    text->SetResourceName("bad \xC3 utf-8");  // so does a broken sequence
    auto* fade = new TzuColorAnimation(&root);
    fade->SetParent(text);
    fade->SetStartColor(0x01020304);
    fade->SetTrigger("IsMouseOver=true");
    ExpectSameClone(&root, "changed values");
    std::unique_ptr<TzuObject> copy(CloneObject(&root, nullptr));
    ASSERT_NE(copy, nullptr);
    EXPECT_FLOAT_EQ(static_cast<TzuVisualObject*>(copy.get())->Position()->X(), 10.123f);
    EXPECT_FALSE(std::signbit(static_cast<TzuVisualObject*>(copy.get())->Position()->Y()));
    EXPECT_EQ(static_cast<TzuText*>(copy->Children(0))->Text(), u"bad \uFFFD surrogate");
    EXPECT_EQ(root.Name(), "Root");  // set aside while copying, as a write does

    // References are found again among the copies by the names the source had; a
    // component named like a stream tag ("nil") reads back as no component at all.
    auto* popup = new TzuPopup(&root);
    popup->SetParent(&root);
    text->SetName("Label");
    popup->SetPlacementTarget(text);
    ExpectSameClone(&root, "reference");
    copy.reset(CloneObject(&root, nullptr));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(static_cast<TzuPopup*>(copy->Children(1))->PlacementTarget(), copy->Children(0));
    text->SetName("nil");
    copy.reset(CloneObject(&root, nullptr));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(static_cast<TzuPopup*>(copy->Children(1))->PlacementTarget(), nullptr);
}

// An object of a class the registry does not know cannot be read back: no clone at all,
// and nothing the attempt made is left behind.
class TUnregistered : public TzuRectangle {
    ZU_CLASS(TUnregistered)
public:
    using TzuRectangle::TzuRectangle;
};

const TzuClass& TUnregistered::StaticClass() {
    static const TzuClass cls = ZuClass<TUnregistered, TzuRectangle>("TUnregistered");
    return cls;
}

TEST_F(CloneTest, AnUnknownChildClassGivesNoClone) {
    TzuRectangle root(nullptr);
    auto* known = new TzuRectangle(&root);
    known->SetParent(&root);
    auto* unknown = new TUnregistered(&root);
    unknown->SetParent(known);
    TzuComponent owner(nullptr);
    EXPECT_EQ(CloneObject(&root, &owner), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
}  // namespace zu::test
