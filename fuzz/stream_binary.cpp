// Loads arbitrary bytes as a binary component stream of a few scene classes that between
// them have a property of every kind. The load may fail, but must not crash, leak or
// leave objects behind: whatever it returns is freed, and the owner must be empty again.
// What loads must survive a save and a second load unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/types/bounds.h"

namespace {

using namespace zu;

enum TFuzzAlign { faNone, faLeft, faClient };
const char* const kAlignNames[] = {"faNone", "faLeft", "faClient"};
const TzuEnumInfo kAlignEnum{"TFuzzAlign", kAlignNames, 3};

class TFuzzItem : public TzuPersistent {
    ZU_CLASS(TFuzzItem)
public:
    double Offset() const { return m_offset; }
    void SetOffset(double v) { m_offset = v; }
    TzuObject* Target() const { return m_target; }
    void SetTarget(TzuObject* v) { m_target = v; }
    double m_offset = 0;
    TzuObject* m_target = nullptr;  // resolved within the load; never dereferenced
};

class TFuzzItems : public TzuCollection {
public:
    int Count() const override { return static_cast<int>(m_items.size()); }
    TzuPersistent* Item(int i) const override { return m_items[static_cast<size_t>(i)].get(); }
    void Clear() override { m_items.clear(); }
    TzuPersistent* Add() override { return m_items.emplace_back(std::make_unique<TFuzzItem>()).get(); }

private:
    std::vector<std::unique_ptr<TFuzzItem>> m_items;
};

class TFuzzShape : public TzuObject {
    ZU_CLASS(TFuzzShape)
public:
    explicit TFuzzShape(TzuComponent* owner) : TzuObject(owner) {}
    ~TFuzzShape() override {
        if (m_link) m_link->RemoveFreeNotification(this);
    }
    int Count() const { return m_count; }
    void SetCount(int v) { m_count = v; }
    float Opacity() const { return m_opacity; }
    void SetOpacity(float v) { m_opacity = v; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    TFuzzAlign Align() const { return m_align; }
    void SetAlign(TFuzzAlign v) { m_align = v; }
    int64_t Sides() const { return m_sides; }
    void SetSides(int64_t v) { m_sides = v; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& v) { m_hint = v; }
    const std::u16string& Text() const { return m_text; }
    void SetText(const std::u16string& v) { m_text = v; }
    TzuBounds* Margins() const { return const_cast<TzuBounds*>(&m_margins); }
    TzuObject* Link() const { return m_link; }
    void SetLink(TzuObject* v) {
        if (m_link) m_link->RemoveFreeNotification(this);
        m_link = v;
        if (m_link) m_link->FreeNotification(this);
    }
    void Notification(TzuComponent* c, TzuOperation op) override {
        TzuObject::Notification(c, op);
        if (op == TzuOperation::opRemove && c == m_link) m_link = nullptr;
    }
    TzuNotifyEvent& OnClick() { return m_onClick; }
    TFuzzItems* Items() { return &m_items; }
    void ReadLines(const TzuStreamValue& v) {
        if (auto* lines = std::get_if<std::vector<std::u16string>>(&v))
            m_lines = *lines;
        else
            throw EzuError("list of strings expected");
    }
    TzuStreamValue WriteLines() const { return m_lines; }
    bool LinesStored() const { return !m_lines.empty(); }

private:
    int m_count = 0;
    float m_opacity = 1;
    bool m_visible = true;
    TFuzzAlign m_align = faNone;
    int64_t m_sides = 0;
    std::string m_hint;
    std::u16string m_text;
    TzuBounds m_margins;
    TzuObject* m_link = nullptr;
    TzuNotifyEvent m_onClick;
    TFuzzItems m_items;
    std::vector<std::u16string> m_lines;
};

const TzuClass& TFuzzItem::StaticClass() {
    using P = ZuProps<TFuzzItem>;
    static const TzuPropInfo props[] = {
        P::Float<&TFuzzItem::Offset, &TFuzzItem::SetOffset>("Offset").Default(0),
        P::Reference<&TFuzzItem::Target, &TFuzzItem::SetTarget>("Target"),
    };
    static const TzuClass cls = ZuClass<TFuzzItem, TzuPersistent>("TFuzzItem", props);
    return cls;
}

const TzuClass& TFuzzShape::StaticClass() {
    using P = ZuProps<TFuzzShape>;
    static const TzuPropInfo props[] = {
        P::Int<&TFuzzShape::Count, &TFuzzShape::SetCount>("Count").Default(0),
        P::Float<&TFuzzShape::Opacity, &TFuzzShape::SetOpacity>("Opacity").Default(1),
        P::Bool<&TFuzzShape::Visible, &TFuzzShape::SetVisible>("Visible").Default(1),
        P::Enum<&TFuzzShape::Align, &TFuzzShape::SetAlign>("Align", kAlignEnum).Default(faNone),
        P::SetOf<&TFuzzShape::Sides, &TFuzzShape::SetSides>("Sides", kAlignEnum).Default(0),
        P::String<&TFuzzShape::Hint, &TFuzzShape::SetHint>("Hint"),
        P::WString<&TFuzzShape::Text, &TFuzzShape::SetText>("Text"),
        P::Object<&TFuzzShape::Margins>("Margins"),
        P::Reference<&TFuzzShape::Link, &TFuzzShape::SetLink>("Link"),
        P::Event<&TFuzzShape::OnClick>("OnClick"),
        P::Collection<&TFuzzShape::Items>("Items"),
        P::Defined<&TFuzzShape::ReadLines, &TFuzzShape::WriteLines, &TFuzzShape::LinesStored>("Lines"),
    };
    static const TzuClass cls = ZuClass<TFuzzShape, TzuObject>("TFuzzShape", props);
    return cls;
}

// The owner of what is loaded; its published method handles events.
class TFuzzForm : public TzuComponent {
    ZU_CLASS(TFuzzForm)
public:
    explicit TFuzzForm(TzuComponent* owner) : TzuComponent(owner) {}
    void Clicked(TzuPersistent*) {}
};

const TzuClass& TFuzzForm::StaticClass() {
    static const TzuMethodInfo methods[] = {ZuMethod<&TFuzzForm::Clicked>("Clicked")};
    static const TzuClass cls = ZuClass<TFuzzForm, TzuComponent>("TFuzzForm", {}, methods);
    return cls;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        RegisterClass(TzuObject::StaticClass());
        RegisterClass(TFuzzShape::StaticClass());
        RegisterClass(TFuzzForm::StaticClass());  // a root class that is no scene object
        return true;
    }();
    (void)registered;
    TFuzzForm form(nullptr);
    const size_t objects = TzuObject::ObjectCount();
    TzuObject* root = LoadObjectFromStream(&form, std::span<const uint8_t>(data, size));
    if (root) {
        // What loaded must save again, and that stream must load to the same stream. A
        // save that refuses with a clear error is a result, not a crash.
        std::vector<uint8_t> again;
        try {
            SaveObjectToStream(root, again);
        } catch (const EzuError&) {
            delete root;
            if (form.ComponentCount() != 0 || TzuObject::ObjectCount() != objects) std::abort();
            return 0;
        }
        delete root;
        TzuObject* copy = LoadObjectFromStream(&form, again);
        if (!copy) std::abort();
        std::vector<uint8_t> third;
        SaveObjectToStream(copy, third);
        delete copy;
        if (third != again) std::abort();
    }
    if (form.ComponentCount() != 0 || TzuObject::ObjectCount() != objects) std::abort();
    return 0;
}
