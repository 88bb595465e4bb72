#include "app/quillorn_display/quillorn_form.h"

#include <memory>

#include "app/quillorn_display/form_resource.h"
#include "app/quillorn_display/line_log.h"
#include "platform/core/application.h"
#include "platform/core/class_registry.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {

namespace {

// The colour names a form resource may give its Color, with their 0x00RRGGBB values.
const char* const kColorNames[] = {"clBtnFace", "clBlack", "clWhite", "clWindow", "clWindowText"};
const uint32_t kColorValues[] = {0xF0F0F0, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000};
const TzuEnumInfo kFormColorEnum{"TColor", kColorNames, 5};

}  // namespace

const TzuClass& TzuFormFont::StaticClass() {
    using P = ZuProps<TzuFormFont>;
    static const TzuPropInfo props[] = {
        P::Int<&TzuFormFont::Height, &TzuFormFont::SetHeight>("Height"),
        P::String<&TzuFormFont::Name, &TzuFormFont::SetName>("Name"),
    };
    static const TzuClass cls = ZuClass<TzuFormFont, TzuPersistent>("TzuFormFont", props);
    return cls;
}

const TzuClass& TForm2::StaticClass() {
    using P = ZuProps<TForm2>;
    static const TzuPropInfo props[] = {
        P::Enum<&TForm2::ColorIndex, &TForm2::SetColorIndex>("Color", kFormColorEnum),
        P::Object<&TForm2::Font>("Font"),
        P::Bool<&TForm2::OldCreateOrder, &TForm2::SetOldCreateOrder>("OldCreateOrder"),
        P::Int<&TForm2::PixelsPerInch, &TForm2::SetPixelsPerInch>("PixelsPerInch"),
        P::Int<&TForm2::TextHeight, &TForm2::SetTextHeight>("TextHeight"),
    };
    static const TzuMethodInfo methods[] = {ZuMethod<&TForm2::FormCreate>("FormCreate")};
    static const TzuClass cls = ZuClass<TForm2, TzuForm>("TForm2", props, methods);
    return cls;
}

TForm2::TForm2(TzuComponent* owner) : TzuForm(owner) {}

void TForm2::SetColorIndex(int value) {
    if (value < 0 || value >= kFormColorEnum.count) return;
    m_colorIndex = value;
    SetColor(kColorValues[value]);
}

void TForm2::Loaded() {
    // The create handler runs once the whole resource is read and the fields are set (see
    // Create), not here: the reader tells the root first, before its children are loaded.
    TzuWinControl::Loaded();
}

TForm2* TForm2::Create(TzuComponent* owner, TzuParameters params) {
    // Properties that do not apply on this platform are skipped, as the stream does for
    // every scene object; a test reads the resource strictly.
    return Create(owner, std::move(params), Tform2Resource(), [](const std::string&) { return true; });
}

TForm2* TForm2::Create(TzuComponent* owner, TzuParameters params, std::string_view resourceText,
                       const std::function<bool(const std::string&)>& onError) {
    auto form = std::make_unique<TForm2>(owner);
    form->m_params = std::move(params);
    const std::vector<uint8_t> binary = ObjectTextToBinary(resourceText);
    TzuReadOptions options;
    options.onError = onError;
    TzuStreamReader reader(binary, options);
    reader.ReadRootInto(form.get());
    form->ResolveFields();
    form->DoCreate();
    return form.release();
}

namespace {

// Looks name up among the components owner owns, and theirs, depth first.
TzuComponent* FindOwned(const TzuComponent* owner, std::string_view name) {
    if (TzuComponent* c = owner->FindComponent(name)) return c;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        if (TzuComponent* c = FindOwned(owner->Components(i), name)) return c;
    }
    return nullptr;
}

template <class T>
T* Field(const TzuComponent* form, const char* name) {
    T* c = As<T>(FindOwned(form, name));
    if (!c)
        throw EzuError(std::string("The form resource has no ") + T::StaticClass().name + " named " + name);
    return c;
}

}  // namespace

void TForm2::ResolveFields() {
    zuScene1 = Field<TzuScene>(this, "zuScene1");
    Root1 = Field<TzuBackground>(this, "Root1");
    Rectangle1 = Field<TzuRectangle>(this, "Rectangle1");
    Text1 = Field<TzuText>(this, "Text1");
    BlurEffect1 = Field<TzuBlurEffect>(this, "BlurEffect1");
}

void TForm2::FormCreate(TzuPersistent* /*sender*/) {
    // Each step stays in force when a later parameter is missing or malformed.
    SetCaption(kDisplayCaption);
    SetLeft(m_params.FetchInt(1));
    SetTop(m_params.FetchInt(2));
    SetWidth(m_params.FetchInt(3));
    SetHeight(m_params.FetchInt(4));
    Text1->SetHeight(static_cast<float>(Height()));
    Text1->Font()->SetSize(static_cast<float>(m_params.FetchInt(5)));
    Text1->Font()->SetStyle(zuFontRegular);
    if ((m_params.FetchInt(6) & 0xFF) == 1) Text1->Font()->SetStyle(zuFontBold);
    Text1->Fill()->SetColorText(m_params.Fetch(7));
    Root1->Fill()->SetColorText(m_params.Fetch(8));
    Rectangle1->Fill()->SetColorText(m_params.Fetch(9));
    Rectangle1->Stroke()->SetColorText(m_params.Fetch(10));
    BlurEffect1->SetSoftness(static_cast<float>(m_params.FetchInt(11) / 100.0));
    Text1->SetStretch(false);
    const std::string& stretch = m_params.Fetch(12);
    if (!stretch.empty() && stretch[0] == 'T') Text1->SetStretch(true);
}

long TForm2::CopyData(uint32_t tag, std::span<const uint8_t> bytes) {
    if (tag != kDisplayCopyDataTag) return 1;
    // A shorter payload cannot hold two whole lines; it is ignored rather than padded, so
    // the log only ever receives what a sender really sent.
    if (bytes.size() < kDisplayPayloadBytes) return 1;
    std::u16string lines[2];
    for (int line = 0; line < 2; ++line) {
        lines[line].resize(kDisplayLineUnits);
        for (int i = 0; i < kDisplayLineUnits; ++i) {
            const size_t at = static_cast<size_t>((line * kDisplayLineUnits + i) * 2);
            lines[line][static_cast<size_t>(i)] = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        }
    }
    try {
        AppendLogLines(kDisplayLogFileName, lines);
    } catch (...) {
        // The display keeps its text when the log could not take the lines.
        HandleCurrentException();
        return 1;
    }
    Text1->SetText(lines[0] + u"\r\n" + lines[1]);
    return 1;
}

void RegisterDisplayClasses() {
    RegisterAll();
    RegisterClass(TForm2::StaticClass());
}

}  // namespace zu
