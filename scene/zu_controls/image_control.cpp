#include "scene/zu_controls/image_control.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/core/application.h"
#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "platform/core/win_control.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/filter.h"
#include "scene/zu_scene/tree/drag_object.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string ImageMasks() {
    auto filter = CreateDefaultFilter();
    return filter ? filter->GetFileTypes() : std::string();
}
}  // namespace

const TzuClass& TzuImageControl::StaticClass() {
    using P = ZuProps<TzuImageControl>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuImageControl::Bitmap>("Bitmap"),
        P::Event<&TzuImageControl::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuImageControl, TzuControl>("TzuImageControl", props);
    return cls;
}

TzuImageControl::TzuImageControl(TzuComponent* owner) : TzuControl(owner) {
    m_bitmap.SetSize(1, 1);
    m_bitmap.OnChange().Set([this](TzuPersistent*) { BitmapChanged(); });
    SetCanFocus(true);
}

TzuImageControl::~TzuImageControl() {
    m_bitmap.OnChange().Clear();
    if (m_imagePart) m_imagePart->RemoveFreeNotification(this);
    m_imagePart = nullptr;
}

void TzuImageControl::ApplyStyle() {
    TzuControl::ApplyStyle();
    if (m_imagePart) m_imagePart->RemoveFreeNotification(this);
    m_imagePart = As<TzuImage>(FindResource("image"));
    if (m_imagePart) {
        m_imagePart->FreeNotification(this);
        BitmapChanged();
    }
}

void TzuImageControl::FreeStyle() {
    if (m_imagePart) m_imagePart->RemoveFreeNotification(this);
    m_imagePart = nullptr;
    TzuControl::FreeStyle();
}

void TzuImageControl::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_imagePart) m_imagePart = nullptr;
}

void TzuImageControl::BitmapChanged() {
    if (m_imagePart && m_bitmap.Width() > 0 && m_bitmap.Height() > 0) {
        // The part shows a copy fitted into its own size, so a huge picture costs its
        // pixels once, not at every paint.
        TzuRect fitted{0, 0, float(m_bitmap.Width()), float(m_bitmap.Height())};
        RectFitInto(fitted, m_imagePart->LocalRect());
        const int w = std::max(1, static_cast<int>(std::lround(fitted.Right - fitted.Left)));
        const int h = std::max(1, static_cast<int>(std::lround(fitted.Bottom - fitted.Top)));
        TzuBitmap* shown = m_imagePart->Bitmap();
        shown->SetSize(w, h);
        shown->Clear(0);
        if (TzuCanvas* cv = shown->Canvas(); cv && cv->BeginScene()) {
            cv->DrawBitmap(m_bitmap, {0, 0, float(m_bitmap.Width()), float(m_bitmap.Height())},
                           {0, 0, float(w), float(h)}, 1, false);
            cv->EndScene();
        }
        shown->SetNeedUpdate(true);
        m_imagePart->Repaint();
    }
    TzuObjectGuard guard(this);
    if (m_onChange) m_onChange(this);
    if (guard.Alive()) PushBindingValue();
}

bool TzuImageControl::LoadFromFile(const std::string& fileName) { return m_bitmap.LoadFromFile(fileName); }

bool TzuImageControl::IsImageFile(const std::string& fileName) {
    const std::string ext = Lower(std::filesystem::path(fileName).extension().string());
    if (ext.size() < 2) return false;
    const std::string masks = Lower(ImageMasks());
    size_t start = 0;
    while (start <= masks.size()) {
        const size_t end = std::min(masks.find(';', start), masks.size());
        const std::string mask = masks.substr(start, end - start);
        if (mask.size() > 1 && mask.substr(1) == ext) return true;  // "*.png" against ".png"
        start = end + 1;
    }
    return false;
}

// Data values carry no bitmaps: the control names itself, and a receiver copies the
// bitmap of the holder named (an image, another image control, a shared bitmap).
TzuVariant TzuImageControl::GetData() { return ObjectToDataText(this); }

void TzuImageControl::SetData(const TzuVariant& value) {
    const std::string text = VariantToString(value);
    if (DataTextToObject(text)) {
        if (TzuBitmap* held = DataTextToBitmap(text, this)) m_bitmap.Assign(*held);
        return;
    }
    if (!text.empty()) LoadFromFile(text);
}

void TzuImageControl::Click() {
    TzuObjectGuard guard(this);
    TzuControl::Click();
    if (!guard.Alive() || IsSceneDesigning() || !Application()) return;
    // The dialog belongs to the window showing this scene.
    IzuScene* scene = Scene();
    auto* host = scene ? As<TzuWinControl>(scene->SceneControl()) : nullptr;
    const auto chosen =
        Application()->OpenFileDialog(host ? host->Window() : nullptr, "Open", "Images", ImageMasks());
    if (chosen && guard.Alive()) LoadFromFile(*chosen);
}

void TzuImageControl::DragOver(const TzuDragObject& data, const TzuPoint& point, bool& accept) {
    TzuControl::DragOver(data, point, accept);
    if (dynamic_cast<TzuImage*>(data.Source)) {
        accept = true;
        return;
    }
    for (const std::u16string& file : data.Files) {
        const std::string name = Utf16ToUtf8(file);
        std::error_code ec;
        if (std::filesystem::is_regular_file(name, ec) && IsImageFile(name)) {
            accept = true;
            return;
        }
    }
}

void TzuImageControl::DragDrop(const TzuDragObject& data, const TzuPoint& point) {
    TzuObjectGuard guard(this);
    TzuControl::DragDrop(data, point);
    if (!guard.Alive()) return;
    if (auto* image = dynamic_cast<TzuImage*>(data.Source)) {
        m_bitmap.Assign(*image->Bitmap());
        return;
    }
    if (!data.Files.empty()) LoadFromFile(Utf16ToUtf8(data.Files.front()));
}

}  // namespace zu
