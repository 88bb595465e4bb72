#include "scene/zu_scene/tree/object_stream.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_text.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {
namespace {

// A scene object with one wide-text property that records the state it was set in.
class TTestShape : public TzuObject {
    ZU_CLASS(TTestShape)
public:
    explicit TTestShape(TzuComponent* owner) : TzuObject(owner) {}
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& v) {
        m_caption = v;
        setWhileDesigning = IsDesigning();
        setWhileLoading = IsLoading();
    }
    std::u16string m_caption;
    bool setWhileDesigning = false;
    bool setWhileLoading = false;
};

const TzuClass& TTestShape::StaticClass() {
    using P = ZuProps<TTestShape>;
    static const TzuPropInfo props[] = {P::WString<&TTestShape::Caption, &TTestShape::SetCaption>("Caption")};
    static const TzuClass cls = ZuClass<TTestShape, TzuObject>("TTestShape", props);
    return cls;
}

// A component that is no scene object.
class TTestPlain : public TzuComponent {
    ZU_CLASS(TTestPlain)
public:
    explicit TTestPlain(TzuComponent* owner) : TzuComponent(owner) {}
};

const TzuClass& TTestPlain::StaticClass() {
    static const TzuClass cls = ZuClass<TTestPlain, TzuComponent>("TTestPlain");
    return cls;
}

class ObjectStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClass(TzuObject::StaticClass());
        RegisterClass(TTestShape::StaticClass());
        RegisterClass(TTestPlain::StaticClass());
    }

    // root "Rectangle1" (shape) -> [shape "Text1" -> [object], caret (not stored) -> [shape]]
    TTestShape* MakeTree() {
        auto* root = new TTestShape(&m_owner);
        root->SetName("Rectangle1");
        root->SetCaption(u"panel");
        root->SetResourceName("panelstyle");
        auto* text = new TTestShape(&m_owner);
        text->SetName("Text1");
        text->SetCaption(u"h\u00e9llo");
        text->SetBindingName("text");
        text->SetParent(root);
        auto* leaf = new TzuObject(&m_owner);
        leaf->SetResourceName("leaf");
        leaf->SetParent(text);
        auto* caret = new TTestShape(&m_owner);
        caret->SetCaption(u"caret");
        caret->SetStored(false);
        caret->SetParent(root);
        (new TTestShape(&m_owner))->SetParent(caret);
        return root;
    }

    static void ExpectCopy(TzuObject* copy) {
        auto* root = As<TTestShape>(copy);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->Name(), "");
        EXPECT_EQ(root->Caption(), u"panel");
        EXPECT_EQ(root->ResourceName(), "panelstyle");
        ASSERT_EQ(root->ChildrenCount(), 1);  // the non-stored caret is not written
        auto* text = As<TTestShape>(root->Children(0));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->Name(), "");
        EXPECT_EQ(text->Caption(), u"h\u00e9llo");
        EXPECT_EQ(text->BindingName(), "text");
        EXPECT_EQ(text->Owner(), root);
        ASSERT_EQ(text->ChildrenCount(), 1);
        EXPECT_EQ(text->Children(0)->ResourceName(), "leaf");
        EXPECT_EQ(root->FindBinding("text"), text);
        EXPECT_FALSE(root->IsDesigning());
        EXPECT_FALSE(root->IsLoading());
        EXPECT_FALSE(text->IsLoading());
    }

    TzuComponent m_owner{nullptr};
};

TEST_F(ObjectStreamTest, CloneCopiesStoredTreeWithoutNames) {
    TTestShape* source = MakeTree();
    TzuComponent other(nullptr);
    TzuObject* copy = CloneObject(source, &other);
    ExpectCopy(copy);
    EXPECT_EQ(copy->Owner(), &other);
    EXPECT_EQ(source->Name(), "Rectangle1");
    EXPECT_EQ(source->ChildrenCount(), 2);
    // Read in design and loading state, and out of both afterwards.
    EXPECT_TRUE(As<TTestShape>(copy)->setWhileDesigning);
    EXPECT_TRUE(As<TTestShape>(copy)->setWhileLoading);
}

// Opacity is written whenever it is not 1: a fully transparent object stays transparent
// through a copy (a style part that fades in from nothing relies on it).
TEST_F(ObjectStreamTest, OpacityOtherThanOneSurvivesACopy) {
    for (float opacity : {0.0f, 0.25f, 1.0f}) {
        TzuVisualObject source(nullptr);
        source.SetOpacity(opacity);
        std::string text;
        SaveObjectToText(&source, text);
        EXPECT_EQ(text.find("Opacity") != std::string::npos, opacity != 1) << text;
        std::unique_ptr<TzuObject> copy(CloneObject(&source, nullptr));
        ASSERT_NE(copy, nullptr);
        EXPECT_FLOAT_EQ(static_cast<TzuVisualObject*>(copy.get())->Opacity(), opacity);
    }
}

TEST_F(ObjectStreamTest, SaveAndLoadBothForms) {
    TTestShape* source = MakeTree();
    std::vector<uint8_t> binary;
    SaveObjectToStream(source, binary);
    std::string text;
    SaveObjectToText(source, text);
    EXPECT_EQ(text, ObjectBinaryToText(binary));
    EXPECT_EQ(text.rfind("object TTestShape\r\n", 0), 0u);  // the root is written without its name
    EXPECT_NE(text.find("object Text1: TTestShape"), std::string::npos);
    EXPECT_EQ(text.find("caret"), std::string::npos);
    EXPECT_EQ(source->Name(), "Rectangle1");

    TzuComponent owner(nullptr);
    TzuObject* fromBinary = LoadObjectFromStream(&owner, binary);
    ExpectCopy(fromBinary);
    EXPECT_EQ(fromBinary->Owner(), &owner);
    ExpectCopy(LoadObjectFromText(&owner, text));
}

TEST_F(ObjectStreamTest, SavingAppendsAndAFailedSaveTakesItsBytesBack) {
    TTestShape* source = MakeTree();
    std::vector<uint8_t> alone;
    SaveObjectToStream(source, alone);
    std::vector<uint8_t> stream{1, 2, 3};
    SaveObjectToStream(source, stream);
    ASSERT_EQ(stream.size(), alone.size() + 3);
    EXPECT_TRUE(std::equal(alone.begin(), alone.end(), stream.begin() + 3));

    // A tree deeper than a reader accepts is refused; what the vector held stays as it was.
    TzuObject root(nullptr);
    root.SetName("Deep");
    TzuObject* at = &root;
    for (int i = 0; i < 300; ++i) {
        auto* child = new TzuObject(&root);
        child->SetParent(at);
        at = child;
    }
    const std::vector<uint8_t> before = stream;
    EXPECT_THROW(SaveObjectToStream(&root, stream), EzuError);
    EXPECT_EQ(stream, before);
    EXPECT_EQ(root.Name(), "Deep");
}

TEST_F(ObjectStreamTest, ReadIntoKeepsDesignStateAndReportsSkips) {
    TTestShape target(nullptr);
    target.SetDesigning(true);
    std::vector<std::string> skipped;
    const auto data = ObjectTextToBinary("object TTestShape\n Width = 5\n Caption = 'x'\n Caption = 7\nend");
    ReadObjectInto(&target, data, [&](const std::string& m) { skipped.push_back(m); });
    EXPECT_EQ(target.Caption(), u"x");
    EXPECT_TRUE(target.IsDesigning());
    ASSERT_EQ(skipped.size(), 2u);
    EXPECT_NE(skipped[0].find("Width"), std::string::npos);
}

TEST_F(ObjectStreamTest, FailedLoadsReturnNothingAndLeaveNothing) {
    TzuComponent owner(nullptr);
    const size_t objectsBefore = TzuObject::ObjectCount();
    const char* const bad[] = {
        "object TNoSuchClass\nend",
        "object TTestPlain\nend",  // not a scene object
        "object TTestShape\n object TTestShape\n end\n object TNoSuchClass\n end\nend",
        "object TTestShape\n Caption = 'unterminated\nend",
    };
    for (const char* text : bad) {
        EXPECT_EQ(LoadObjectFromText(&owner, text), nullptr) << text;
    }
    std::vector<uint8_t> binary;
    SaveObjectToStream(MakeTree(), binary);
    EXPECT_EQ(LoadObjectFromStream(&owner, std::span<const uint8_t>(binary.data(), binary.size() - 1)),
              nullptr);
    binary[0] = 'X';
    EXPECT_EQ(LoadObjectFromStream(&owner, binary), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(TzuObject::ObjectCount(), objectsBefore + 5);  // only MakeTree's objects remain

    // A failed read into a live object takes back the children it added.
    TTestShape target(nullptr);
    auto* kept = new TzuObject(&target);
    kept->SetParent(&target);
    const auto late =
        ObjectTextToBinary("object TTestShape\n object TzuObject\n end\n object TNoSuchClass\n end\nend");
    EXPECT_THROW(ReadObjectInto(&target, late), EzuError);
    ASSERT_EQ(target.ChildrenCount(), 1);
    EXPECT_EQ(target.Children(0), kept);
    EXPECT_FALSE(target.IsDesigning());
    EXPECT_FALSE(target.IsLoading());
}

}  // namespace
}  // namespace zu
