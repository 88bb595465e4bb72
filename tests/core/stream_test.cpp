#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/core/class_registry.h"
#include "platform/core/component.h"
#include "platform/core/property.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/core/stream_writer.h"

namespace zu {
namespace {

enum TTestColor { tcRed, tcGreen, tcBlue };
const char* const kColorNames[] = {"tcRed", "tcGreen", "tcBlue"};
const TzuEnumInfo kColorEnum{"TTestColor", kColorNames, 3};

class TTestNode;

// An owned sub-object written through dotted paths, with a defined property of its own.
class TTestSub : public TzuPersistent {
    ZU_CLASS(TTestSub)
public:
    int Size() const { return m_size; }
    void SetSize(int v) { m_size = v; }
    void ReadTag(const TzuStreamValue& v) { m_tag = std::get<std::string>(v); }
    TzuStreamValue WriteTag() const { return m_tag; }
    bool TagStored() const { return !m_tag.empty(); }

    int m_size = 0;
    std::string m_tag;
};

const TzuClass& TTestSub::StaticClass() {
    using P = ZuProps<TTestSub>;
    static const TzuPropInfo props[] = {
        P::Int<&TTestSub::Size, &TTestSub::SetSize>("Size").Default(0),
        P::Defined<&TTestSub::ReadTag, &TTestSub::WriteTag, &TTestSub::TagStored>("Tag"),
    };
    static const TzuClass cls = ZuClass<TTestSub, TzuPersistent>("TTestSub", props);
    return cls;
}

class TTestItem : public TzuPersistent {
    ZU_CLASS(TTestItem)
public:
    int Value() const { return m_value; }
    void SetValue(int v) { m_value = v; }
    TTestNode* Target() const { return m_target; }
    void SetTarget(TTestNode* t) { m_target = t; }

    int m_value = 0;
    TTestNode* m_target = nullptr;
};

class TTestItems : public TzuCollection {
public:
    int Count() const override { return static_cast<int>(m_items.size()); }
    TzuPersistent* Item(int i) const override { return m_items[static_cast<size_t>(i)].get(); }
    void Clear() override { m_items.clear(); }
    TzuPersistent* Add() override { return m_items.emplace_back(std::make_unique<TTestItem>()).get(); }
    TTestItem* At(int i) const { return m_items[static_cast<size_t>(i)].get(); }

private:
    std::vector<std::unique_ptr<TTestItem>> m_items;
};

// A component with a property of every kind and a simple child list.
class TTestNode : public TzuComponent {
    ZU_CLASS(TTestNode)
public:
    explicit TTestNode(TzuComponent* owner) : TzuComponent(owner) {}
    ~TTestNode() override {
        for (TTestNode* c : m_children) c->m_parent = nullptr;
        SetParentComponent(nullptr);
    }

    int64_t Count() const { return m_count; }
    void SetCount(int64_t v) { m_count = v; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double v) { m_ratio = v; }
    bool Flag() const { return m_flag; }
    void SetFlag(bool v) { m_flag = v; }
    TTestColor Color() const { return m_color; }
    void SetColor(TTestColor v) { m_color = v; }
    int64_t Colors() const { return m_colors; }
    void SetColors(int64_t v) { m_colors = v; }
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& v) {
        m_text = v;
        m_textSetWhileLoading = IsLoading();
    }
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& v) { m_caption = v; }
    TTestSub* Sub() const { return const_cast<TTestSub*>(&m_sub); }
    TTestNode* Link() const { return m_link; }
    void SetLink(TTestNode* v) { m_link = v; }
    TzuNotifyEvent& OnClick() { return m_onClick; }
    TTestItems* Items() { return &m_items; }
    void ReadBlob(const TzuStreamValue& v) { m_blob = std::get<TzuBytes>(v); }
    TzuStreamValue WriteBlob() const { return m_blob; }
    bool BlobStored() const { return !m_blob.empty(); }
    void ReadLines(const TzuStreamValue& v) { m_lines = std::get<std::vector<std::u16string>>(v); }
    TzuStreamValue WriteLines() const { return m_lines; }
    bool LinesStored() const { return !m_lines.empty(); }
    void ReadMark(const TzuStreamValue& v) { m_mark = std::get<bool>(v); }
    TzuStreamValue WriteMark() const { return m_mark; }

    void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent*) override {
        for (TTestNode* c : m_children) proc(c);
    }
    void SetParentComponent(TzuComponent* parent) override {
        if (m_parent) std::erase(m_parent->m_children, this);
        m_parent = As<TTestNode>(parent);
        if (m_parent) m_parent->m_children.push_back(this);
    }
    void Loaded() override {
        TzuComponent::Loaded();
        ++m_loadedCount;
    }

    int64_t m_count = 0;
    double m_ratio = 0;
    bool m_flag = false;
    TTestColor m_color = tcRed;
    int64_t m_colors = 0;
    std::string m_text;
    std::u16string m_caption;
    TTestSub m_sub;
    TTestNode* m_link = nullptr;
    TzuNotifyEvent m_onClick;
    TTestItems m_items;
    TzuBytes m_blob;
    std::vector<std::u16string> m_lines;
    bool m_mark = false;
    TTestNode* m_parent = nullptr;
    std::vector<TTestNode*> m_children;
    int m_loadedCount = 0;
    bool m_textSetWhileLoading = false;
};

const TzuClass& TTestItem::StaticClass() {
    using P = ZuProps<TTestItem>;
    static const TzuPropInfo props[] = {
        P::Int<&TTestItem::Value, &TTestItem::SetValue>("Value").Default(0),
        P::Reference<&TTestItem::Target, &TTestItem::SetTarget>("Target"),
    };
    static const TzuClass cls = ZuClass<TTestItem, TzuPersistent>("TTestItem", props);
    return cls;
}

const TzuClass& TTestNode::StaticClass() {
    using P = ZuProps<TTestNode>;
    static const TzuPropInfo props[] = {
        P::Int<&TTestNode::Count, &TTestNode::SetCount>("Count").Default(0),
        P::Float<&TTestNode::Ratio, &TTestNode::SetRatio>("Ratio").Default(0),
        P::Bool<&TTestNode::Flag, &TTestNode::SetFlag>("Flag").Default(0),
        P::Enum<&TTestNode::Color, &TTestNode::SetColor>("Color", kColorEnum).Default(tcRed),
        P::SetOf<&TTestNode::Colors, &TTestNode::SetColors>("Colors", kColorEnum).Default(0),
        P::String<&TTestNode::Text, &TTestNode::SetText>("Text"),
        P::WString<&TTestNode::Caption, &TTestNode::SetCaption>("Caption"),
        P::Object<&TTestNode::Sub>("Sub"),
        P::Reference<&TTestNode::Link, &TTestNode::SetLink>("Link"),
        P::Event<&TTestNode::OnClick>("OnClick"),
        P::Collection<&TTestNode::Items>("Items"),
        P::Defined<&TTestNode::ReadBlob, &TTestNode::WriteBlob, &TTestNode::BlobStored>("Blob"),
        P::Defined<&TTestNode::ReadLines, &TTestNode::WriteLines, &TTestNode::LinesStored>("Lines"),
        P::Defined<&TTestNode::ReadMark, &TTestNode::WriteMark>("Mark"),
    };
    static const TzuClass cls = ZuClass<TTestNode, TzuComponent>("TTestNode", props);
    return cls;
}

// The owner whose published methods handle the events of what it loads.
class TTestForm : public TzuComponent {
    ZU_CLASS(TTestForm)
public:
    explicit TTestForm(TzuComponent* owner) : TzuComponent(owner) {}
    void Clicked(TzuPersistent*) { ++clicks; }
    void Other(int) {}
    int clicks = 0;
};

const TzuClass& TTestForm::StaticClass() {
    static const TzuMethodInfo methods[] = {ZuMethod<&TTestForm::Clicked>("Clicked"),
                                            ZuMethod<&TTestForm::Other>("Other")};
    static const TzuClass cls = ZuClass<TTestForm, TzuComponent>("TTestForm", {}, methods);
    return cls;
}

std::vector<uint8_t> Save(TzuComponent* c) {
    std::vector<uint8_t> out;
    TzuStreamWriter(out).WriteRoot(c);
    return out;
}

// Reads into a fresh node; skipped errors are collected.
std::unique_ptr<TTestNode> Load(std::span<const uint8_t> data, std::vector<std::string>* skipped = nullptr,
                                TzuComponent* owner = nullptr) {
    auto node = std::make_unique<TTestNode>(owner);
    TzuReadOptions options;
    if (skipped) {
        options.onError = [skipped](const std::string& m) {
            skipped->push_back(m);
            return true;
        };
    }
    TzuStreamReader(data, options).ReadRootInto(node.get());
    return node;
}

std::vector<uint8_t> Bytes(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A stream holding one root TTestNode with the given raw property bytes.
std::vector<uint8_t> RawNode(std::initializer_list<uint8_t> props,
                             std::initializer_list<uint8_t> children = {}) {
    std::vector<uint8_t> out = Bytes("TPF0");
    out.push_back(9);
    for (char c : std::string_view("TTestNode")) out.push_back(static_cast<uint8_t>(c));
    out.push_back(0);
    out.insert(out.end(), props);
    out.push_back(0);
    out.insert(out.end(), children);
    out.push_back(0);
    return out;
}

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterClass(TTestNode::StaticClass()); }
};

TEST_F(StreamTest, IntegersTakeTheSmallestTag) {
    struct Case {
        int64_t v;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {127, {2, 0x7F}},
        {-128, {2, 0x80}},
        {128, {3, 0x80, 0x00}},
        {-129, {3, 0x7F, 0xFF}},
        {32767, {3, 0xFF, 0x7F}},
        {32768, {4, 0x00, 0x80, 0x00, 0x00}},
        {int64_t{1} << 40, {19, 0, 0, 0, 0, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out;
        TzuByteWriter(out).WriteIntegerValue(c.v);
        EXPECT_EQ(out, c.bytes) << c.v;
        TzuByteReader in(out);
        EXPECT_EQ(in.ReadIntegerValue(), c.v);
    }
}

TEST_F(StreamTest, ExtendedFloatsAreExact) {
    uint8_t buf[10];
    DoubleToExtended(1.0, buf);
    const uint8_t one[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(0, std::memcmp(buf, one, 10));
    DoubleToExtended(-2.5, buf);
    const uint8_t minus25[10] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0};
    EXPECT_EQ(0, std::memcmp(buf, minus25, 10));

    const double values[] = {0.0,
                             -0.0,
                             0.1,
                             1e-300,
                             5e-324,
                             2.2250738585072014e-308,
                             1.7976931348623157e308,
                             -123456.789,
                             std::numeric_limits<double>::infinity(),
                             0.800000011920929};
    for (double v : values) {
        DoubleToExtended(v, buf);
        const double back = ExtendedToDouble(buf);
        EXPECT_EQ(0, std::memcmp(&back, &v, 8)) << v;
    }
    DoubleToExtended(std::nan(""), buf);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(buf)));

    // 64-bit mantissas round to 53 bits, ties to even.
    auto ext = [](uint64_t mant, unsigned se) {
        uint8_t b[10];
        for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(mant >> (8 * i));
        b[8] = static_cast<uint8_t>(se);
        b[9] = static_cast<uint8_t>(se >> 8);
        return ExtendedToDouble(b);
    };
    const uint64_t top = uint64_t{1} << 63;
    EXPECT_EQ(ext(top | (uint64_t{1} << 10), 0x3FFF), 1.0);
    EXPECT_EQ(ext(top | (uint64_t{3} << 10), 0x3FFF), 1.0 + 2 * std::ldexp(1.0, -52));
    EXPECT_EQ(ext(~uint64_t{0}, 0x3FFF), 2.0);
    EXPECT_EQ(ext(top, 0x7FFE), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ext(top, 0x3FFF - 1074), 5e-324);
    EXPECT_EQ(ext(top, 0x3FFF - 1076), 0.0);
}

// A node with every kind of property, two children (one nested) and a reference between them.
std::unique_ptr<TTestForm> MakeTree(TTestNode*& root) {
    auto form = std::make_unique<TTestForm>(nullptr);
    root = new TTestNode(form.get());
    root->SetName("Root");
    root->SetCount(-70000);
    root->SetRatio(0.1);
    root->SetFlag(true);
    root->SetColor(tcBlue);
    root->SetColors((1 << tcRed) | (1 << tcBlue));
    root->SetText("caf\xC3\xA9 it's");
    root->SetCaption(u"Snow \u2603 and \U0001F600");
    root->Sub()->SetSize(300);
    root->Sub()->m_tag = "sub tag";
    root->OnClick().Bind(form.get(), form->ClassType().FindMethod("Clicked"));
    static_cast<TTestItem*>(root->Items()->Add())->SetValue(5);
    root->Items()->Add();
    root->m_blob = {0x00, 0xFF, 0x10};
    root->m_lines = {u"one", u"\u00e9t\u00e9"};
    root->m_mark = true;
    auto* kid = new TTestNode(root);
    kid->SetName("Kid");
    kid->SetText("kid");
    kid->SetParentComponent(root);
    auto* grandKid = new TTestNode(root);
    grandKid->SetCount(3);
    grandKid->SetParentComponent(kid);
    root->SetLink(kid);
    return form;
}

void ExpectSameTree(const TTestNode& a, const TTestNode& b) {
    EXPECT_EQ(a.m_count, b.m_count);
    EXPECT_EQ(a.m_ratio, b.m_ratio);
    EXPECT_EQ(a.m_flag, b.m_flag);
    EXPECT_EQ(a.m_color, b.m_color);
    EXPECT_EQ(a.m_colors, b.m_colors);
    EXPECT_EQ(a.m_text, b.m_text);
    EXPECT_EQ(a.m_caption, b.m_caption);
    EXPECT_EQ(a.m_sub.m_size, b.m_sub.m_size);
    EXPECT_EQ(a.m_sub.m_tag, b.m_sub.m_tag);
    EXPECT_EQ(a.m_onClick.MethodName(), b.m_onClick.MethodName());
    ASSERT_EQ(a.m_items.Count(), b.m_items.Count());
    for (int i = 0; i < a.m_items.Count(); ++i) EXPECT_EQ(a.m_items.At(i)->Value(), b.m_items.At(i)->Value());
    EXPECT_EQ(a.m_blob, b.m_blob);
    EXPECT_EQ(a.m_lines, b.m_lines);
    EXPECT_EQ(a.m_mark, b.m_mark);
    ASSERT_EQ(a.m_children.size(), b.m_children.size());
    for (size_t i = 0; i < a.m_children.size(); ++i) ExpectSameTree(*a.m_children[i], *b.m_children[i]);
}

TEST_F(StreamTest, EveryPropertyKindSurvivesBinaryAndText) {
    TTestNode* root;
    auto form = MakeTree(root);
    const std::vector<uint8_t> binary = Save(root);
    const std::string text = ObjectBinaryToText(binary);

    for (const std::vector<uint8_t>& data : {binary, ObjectTextToBinary(text)}) {
        auto copy = std::make_unique<TTestNode>(form.get());
        TzuStreamReader(data).ReadRootInto(copy.get());
        ExpectSameTree(*root, *copy);
        EXPECT_EQ(copy->Name(), "Root");
        // Events bind to the loading root's owner; references resolve to the loaded copies.
        EXPECT_EQ(copy->m_onClick.Data(), form.get());
        ASSERT_EQ(copy->m_children.size(), 1u);
        EXPECT_EQ(copy->Link(), copy->m_children[0]);
        EXPECT_EQ(copy->m_children[0]->Owner(), copy.get());
        EXPECT_FALSE(copy->IsLoading());
        EXPECT_TRUE(copy->m_textSetWhileLoading);
        EXPECT_EQ(copy->m_loadedCount, 1);
        EXPECT_EQ(copy->m_children[0]->m_children[0]->m_loadedCount, 1);
    }
    // The text form is a fixed point of the two conversions.
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(text)), text);
}

TEST_F(StreamTest, TextFormLayout) {
    TTestNode node(nullptr);
    node.SetText(std::string(64, 'a'));
    node.SetCaption(u"it's\r\n");
    node.SetColors(1 << tcGreen | 1 << tcBlue);
    node.Sub()->SetSize(2);
    node.m_blob.assign(33, 0xAB);
    node.m_lines = {u"x", u""};
    static_cast<TTestItem*>(node.Items()->Add())->SetValue(1);
    auto* kid = new TTestNode(&node);
    kid->SetParentComponent(&node);
    kid->SetText(std::string(65, 'b'));
    const std::string expected =
        "object TTestNode\r\n"
        "  Colors = [tcGreen, tcBlue]\r\n"
        "  Text = '" +
        std::string(64, 'a') +
        "'\r\n"
        "  Caption = 'it'#39's'#13#10\r\n"
        "  Sub.Size = 2\r\n"
        "  Items = <\r\n"
        "    item\r\n"
        "      Value = 1\r\n"
        "    end>\r\n"
        "  Blob = {\r\n"
        "    " +
        Repeat("AB", 32) +
        "\r\n"
        "    AB}\r\n"
        "  Lines = (\r\n"
        "    'x'\r\n"
        "    '')\r\n"
        "  Mark = False\r\n"
        "  object TTestNode\r\n"
        "    Text = \r\n"
        "      '" +
        std::string(64, 'b') +
        "' +\r\n"
        "      'b'\r\n"
        "    Mark = False\r\n"
        "  end\r\n"
        "end\r\n";
    const std::string text = ObjectBinaryToText(Save(&node));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(text)), text);
}

TEST_F(StreamTest, TextValuesOfEveryTag) {
    // Tags the writer never produces still have a text form that converts back.
    const std::string text =
        "inherited Form1: TTestNode [3]\r\n"
        "  A = 1.5s\r\n"
        "  B = -12.3456c\r\n"
        "  C = 45000.25d\r\n"
        "  D = 9007199254740993\r\n"
        "  E = Null\r\n"
        "  F = nil\r\n"
        "  G = Form1.Kid\r\n"
        "  H = #8364'uro'#9731\r\n"
        "  I = 1E300\r\n"
        "  J = -0.0\r\n"
        "  K = <\r\n"
        "    item [7]\r\n"
        "    end>\r\n"
        "  L = ()\r\n"
        "  M = []\r\n"
        "  N = {}\r\n"
        "  O = ''\r\n"
        "end\r\n";
    const std::vector<uint8_t> binary = ObjectTextToBinary(text);
    EXPECT_EQ(ObjectBinaryToText(binary), text);
    ASSERT_GT(binary.size(), 8u);
    EXPECT_EQ(binary[4], 0xF3);  // inherited with a child position
    // The snowman makes the string wide.
    const uint8_t wide[] = {18, 5, 0, 0, 0, 0xAC, 0x20};
    EXPECT_NE(std::search(binary.begin(), binary.end(), std::begin(wide), std::end(wide)), binary.end());
    // Pieces joined directly and with '+' across lines read as one string.
    EXPECT_EQ(Load(ObjectTextToBinary("object TTestNode\n Text = 'ab' +\n  #65'c'#$42\nend"))->Text(),
              "abAcB");
    // The euro sign alone fits the single-byte code page.
    EXPECT_EQ(ObjectTextToBinary("object X\n T = #8364\nend")[9], vaString);
}

TEST_F(StreamTest, TextSyntaxErrorsNameTheLine) {
    const char* const bad[] = {
        "object TTestNode\r\n  Count = \r\nend",
        "object TTestNode\r\n  Text = 'open\r\nend",
        "object TTestNode\r\n  Lines = (Null)\r\nend",
        "object TTestNode\r\n  object TTestNode\r\n  end\r\n  Count = 1\r\nend",
        "object TTestNode\r\n  Count = 99999999999999999999\r\nend",
        "object TTestNode\r\n  Blob = {ABC}\r\nend",
        "object TTestNode\r\n  Text = #70000\r\nend",
        "object TTestNode\r\n  Text = '\xC3('\r\nend",
        "object TTestNode\r\n  Count = 1\r\n",
        "object TTestNode\r\nend\r\nend",
        "",
    };
    for (const char* text : bad) {
        try {
            ObjectTextToBinary(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const EzuError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Syntax error at line ", 0), 0u) << e.what();
        }
    }
    try {
        ObjectTextToBinary("object TTestNode\r\n  Count = 1\r\n  Ratio = 1.5x\r\nend");
        ADD_FAILURE();
    } catch (const EzuError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

TEST_F(StreamTest, ClassNamesTooLongForTheBinaryFormAreRefusedWhenWriting) {
    // A length byte of 240 or more reads back as a record's flag prefix.
    const std::string longest(kMaxClassNameLength, 'T');
    const auto binary = ObjectTextToBinary("object " + longest + "\r\nend");
    EXPECT_EQ(TzuStreamReader::ReadHeader(binary).className, longest);
    for (size_t length : {size_t(240), size_t(255)}) {
        const std::string name(length, 'T');
        try {
            ObjectTextToBinary("object A: " + name + "\r\nend");
            ADD_FAILURE() << "accepted a class name of " << length << " bytes";
        } catch (const EzuError& e) {
            EXPECT_NE(std::string(e.what()).find("line 1: class name longer than 239"), std::string::npos)
                << e.what();
        }
        std::vector<uint8_t> out;
        TzuByteWriter writer(out);
        EXPECT_THROW(writer.WriteClassName(name), EzuError);
        EXPECT_TRUE(out.empty());
    }
}

TEST_F(StreamTest, UnknownAndWrongKindPropertiesAreSkipped) {
    const auto data = ObjectTextToBinary(
        "object TTestNode\r\n"
        "  Missing = 5\r\n"
        "  Count = 'text'\r\n"
        "  Sub.Nothing = <\r\n    item\r\n      Value = 1\r\n    end>\r\n"
        "  Color = tcPurple\r\n"
        "  Colors = [tcRed, tcPink]\r\n"
        "  Ratio = 2.5\r\n"
        "  Text = 'kept'\r\n"
        "  OnClick = NoSuchMethod\r\n"
        "  Link = Nobody\r\n"
        "  Sub.Size = 4\r\n"
        "end\r\n");
    std::vector<std::string> skipped;
    auto node = Load(data, &skipped);
    EXPECT_EQ(node->Ratio(), 2.5);
    EXPECT_EQ(node->Text(), "kept");
    EXPECT_EQ(node->Sub()->Size(), 4);
    EXPECT_EQ(node->Count(), 0);
    EXPECT_EQ(node->Color(), tcRed);
    ASSERT_EQ(skipped.size(), 7u);
    EXPECT_EQ(skipped[0], "Error reading TTestNode.Missing: property does not exist");
    EXPECT_EQ(skipped[1], "Error reading TTestNode.Count: invalid property value");
    // Without a handler the first such error fails the read.
    EXPECT_THROW(Load(data), EzuError);
}

TEST_F(StreamTest, EventsBindOnlyMatchingMethodsOfTheOwner) {
    TTestForm form(nullptr);
    std::vector<std::string> skipped;
    auto node = Load(ObjectTextToBinary("object TTestNode\n OnClick = Other\nend"), &skipped, &form);
    EXPECT_FALSE(node->OnClick().Assigned());
    EXPECT_EQ(skipped.size(), 1u);
    node = Load(ObjectTextToBinary("object TTestNode\n OnClick = clicked\nend"), &skipped, &form);
    node->OnClick()(node.get());
    EXPECT_EQ(form.clicks, 1);
}

TEST_F(StreamTest, CollectionsAreClearedAndRefilled) {
    TTestNode node(nullptr);
    for (int i = 0; i < 3; ++i) node.Items()->Add();
    // The first items go again before their references would be resolved.
    const auto data = ObjectTextToBinary(
        "object TTestNode\n"
        "  Items = <item Target = Kid end item end>\n"
        "  Items = <item Value = 9 Target = Kid end>\n"
        "  object Kid: TTestNode end\n"
        "end");
    TzuStreamReader(data).ReadRootInto(&node);
    ASSERT_EQ(node.Items()->Count(), 1);
    EXPECT_EQ(node.Items()->At(0)->Value(), 9);
    ASSERT_EQ(node.m_children.size(), 1u);
    EXPECT_EQ(node.Items()->At(0)->Target(), node.m_children[0]);
}

TEST_F(StreamTest, BadEncodingsSkipTheProperty) {
    const auto data =
        RawNode({4, 'T', 'e', 'x', 't', 20,  2,   0,   0,  0, 0xC3, 0x28,                 // broken UTF-8
                 7, 'C', 'a', 'p', 't', 'i', 'o', 'n', 18, 1, 0,    0,    0, 0x00, 0xD8,  // lone surrogate
                 5, 'C', 'o', 'u', 'n', 't', 2,   7});
    std::vector<std::string> skipped;
    auto node = Load(data, &skipped);
    EXPECT_EQ(skipped.size(), 2u);
    EXPECT_EQ(node->Count(), 7);
    EXPECT_TRUE(node->Text().empty());
    EXPECT_THROW(ObjectBinaryToText(data), EzuError);
}

TEST_F(StreamTest, MalformedStreamsFailCleanly) {
    TTestNode* root;
    auto form = MakeTree(root);
    const std::vector<uint8_t> good = Save(root);
    // Every truncation fails, and the target keeps no child of the failed read.
    for (size_t n = 0; n < good.size(); ++n) {
        TTestNode target(nullptr);
        std::span<const uint8_t> part(good.data(), n);
        EXPECT_THROW(TzuStreamReader(part).ReadRootInto(&target), EzuError) << n;
        EXPECT_TRUE(target.m_children.empty());
        EXPECT_EQ(target.ComponentCount(), 0);
        EXPECT_FALSE(target.IsLoading());
        EXPECT_THROW(ObjectBinaryToText(part), EzuError);
    }
    const std::vector<std::vector<uint8_t>> bad = {
        Bytes("TPF1"),
        RawNode({4, 'T', 'e', 'x', 't', 12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c'}),  // huge length
        RawNode({4, 'T', 'e', 'x', 't', 18, 0x00, 0x00, 0x00, 0x80}),                 // negative length
        RawNode({5, 'C', 'o', 'u', 'n', 't', 21, 0, 0}),                              // unknown tag
        RawNode({}, {7, 'T', 'N', 'o', 'b', 'o', 'd', 'y', 0, 0, 0}),                 // unknown class
    };
    for (const auto& data : bad) {
        TTestNode target(nullptr);
        EXPECT_THROW(TzuStreamReader(data).ReadRootInto(&target), EzuError);
        EXPECT_TRUE(target.m_children.empty());
    }
    try {
        ObjectBinaryToText(bad[3]);
        ADD_FAILURE();
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "Error reading TTestNode.Count: invalid value tag 21");
    }
    // A later unknown child class undoes the children read before it.
    TTestNode target(nullptr);
    const auto late = ObjectTextToBinary(
        "object TTestNode\n object TTestNode\n object TTestNode end end\n object TNobody end\nend");
    EXPECT_THROW(TzuStreamReader(late).ReadRootInto(&target), EzuError);
    EXPECT_TRUE(target.m_children.empty());
    EXPECT_EQ(target.ComponentCount(), 0);
}

TEST_F(StreamTest, NestingIsCapped) {
    std::vector<uint8_t> deep = Bytes("TPF0");
    for (int i = 0; i < 300; ++i)
        deep.insert(deep.end(), {9, 'T', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e', 0, 0});
    deep.insert(deep.end(), 301, 0);
    TTestNode target(nullptr);
    EXPECT_THROW(TzuStreamReader(deep).ReadRootInto(&target), EzuError);
    EXPECT_TRUE(target.m_children.empty());
    EXPECT_THROW(ObjectBinaryToText(deep), EzuError);

    std::vector<uint8_t> lists = Bytes("TPF0");
    lists.insert(lists.end(),
                 {9, 'T', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e', 0, 5, 'L', 'i', 'n', 'e', 's'});
    lists.insert(lists.end(), 100000, vaList);
    lists.insert(lists.end(), 100002, 0);
    EXPECT_THROW(TzuStreamReader(lists).ReadRootInto(&target), EzuError);
    const std::string text =
        "object TTestNode Lines = " + std::string(100000, '(') + std::string(100000, ')') + " end";
    EXPECT_THROW(ObjectTextToBinary(text), EzuError);
}

// A list's items are read when it is applied, not held one value each; one stream builds
// at most kMaxStreamItems items, so ten megabytes of one-byte items are refused at once.
TEST_F(StreamTest, LongListsReadInPlaceAndAreBounded) {
    auto lines = [](size_t count, std::initializer_list<uint8_t> item) {
        std::vector<uint8_t> out = Bytes("TPF0");
        out.insert(out.end(),
                   {9, 'T', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e', 0, 5, 'L', 'i', 'n', 'e', 's', vaList});
        for (size_t i = 0; i < count; ++i) out.insert(out.end(), item);
        out.insert(out.end(), {0, 0, 0});
        return out;
    };
    auto node = Load(lines(kMaxStreamItems, {vaString, 1, 'x'}));
    ASSERT_EQ(node->m_lines.size(), kMaxStreamItems);
    EXPECT_EQ(node->m_lines.back(), u"x");
    for (uint8_t one : {uint8_t(vaNil), uint8_t(vaFalse)}) {
        TTestNode target(nullptr);
        try {
            TzuStreamReader(lines(10000000, {one})).ReadRootInto(&target);
            ADD_FAILURE() << "a list of ten million items was read";
        } catch (const EzuError& e) {
            EXPECT_NE(std::string(e.what()).find("items in one stream"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(target.m_lines.empty());
    }
    // A list item of the wrong kind is still found when the list is applied.
    std::vector<std::string> skipped;
    node = Load(lines(3, {vaInt8, 7}), &skipped);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_TRUE(node->m_lines.empty());
}

}  // namespace
}  // namespace zu
