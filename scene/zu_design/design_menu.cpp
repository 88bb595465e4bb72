#include "scene/zu_design/design_menu.h"

#include <map>
#include <memory>

#include "platform/core/application.h"
#include "platform/core/class_registry.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "scene/zu_design/tab_order_editor.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/resources.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

std::string& ClipboardBuffer() {
    static std::string text;
    return text;
}

void OpenMenu(TzuCustomScene& scene, const TzuPoint& scenePoint, int screenX, int screenY) {
    DesignMenuOf(scene)->Open(scenePoint, screenX, screenY);
}

// The item names the menu finds its entries by.
constexpr const char* kAddSame = "AddSame";
constexpr const char* kAddObject = "AddObject";
constexpr const char* kDelete = "Delete";
constexpr const char* kHide = "Hide";
constexpr const char* kDefaultStyle = "DefaultStyle";
constexpr const char* kCustomStyle = "CustomStyle";
constexpr const char* kTabOrder = "TabOrder";
constexpr const char* kOrder = "Order";
constexpr const char* kEdit = "Edit";
constexpr const char* kPaste = "Paste";
constexpr const char* kGridShow = "GridShow";
constexpr const char* kSnapGrid = "SnapGrid";
constexpr const char* kSnapLines = "SnapLines";
constexpr const char* kSnapNone = "SnapNone";

// A command item's click runs a member of the menu that made it.
using Command = void (*)(TzuDesignMenu&);

}  // namespace

void InstallDesignMenu() { SetDesignMenuHook(&OpenMenu); }

TzuDesignMenu* DesignMenuOf(TzuCustomScene& scene) {
    for (int i = 0; i < scene.ComponentCount(); ++i) {
        if (auto* menu = As<TzuDesignMenu>(scene.Components(i))) return menu;
    }
    return new TzuDesignMenu(scene);
}

const std::string& DesignClipboardText() { return ClipboardBuffer(); }
void SetDesignClipboardText(std::string text) { ClipboardBuffer() = std::move(text); }

std::string DesignClassName(std::string_view className) {
    if (className.size() > 3 && className.substr(0, 3) == "Tzu") className.remove_prefix(3);
    return std::string(className);
}

TzuObject* ReadDesignObject(TzuComponent* owner, std::span<const uint8_t> data, std::string& why) {
    try {
        const std::vector<uint8_t> binary =
            HasStreamSignature(data) ? std::vector<uint8_t>(data.begin(), data.end())
                                     : ObjectTextToBinary(std::string_view(
                                           reinterpret_cast<const char*>(data.data()), data.size()));
        const TzuStreamHeader header = TzuStreamReader::ReadHeader(binary);
        const TzuClass* cls = FindClass(header.className);
        if (!cls) {
            why = "class " + header.className + " is not known";
            return nullptr;
        }
        if (!cls->InheritsFrom(TzuObject::StaticClass()) || !cls->create) {
            why = header.className + " is not a scene object";
            return nullptr;
        }
        std::unique_ptr<TzuObject> holder(static_cast<TzuObject*>(cls->create(owner)));
        ReadObjectInto(holder.get(), binary);
        return holder.release();
    } catch (const std::exception& e) {
        why = e.what();
        return nullptr;
    }
}

const TzuClass& TzuDesignMenu::StaticClass() {
    static const TzuClass cls = ZuClass<TzuDesignMenu, TzuPopupMenu>("TzuDesignMenu");
    return cls;
}

TzuDesignMenu::TzuDesignMenu(TzuCustomScene& scene) : TzuPopupMenu(&scene), m_scene(scene) {
    OnPopup().Set([this](TzuPersistent*) { Refresh(); });
}

TzuDesignMenu::~TzuDesignMenu() { delete m_tabEditor; }

void TzuDesignMenu::Notification(TzuComponent* component, TzuOperation operation) {
    TzuPopupMenu::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_tabEditor) m_tabEditor = nullptr;
}

TzuMenuItem* TzuDesignMenu::AddCommand(TzuMenuItems* items, const char16_t* caption, const char* name,
                                       Command run) {
    TzuMenuItem* item = items->AddItem(caption);
    item->SetName(name);
    if (run) item->OnClick().Set([this, run](TzuPersistent*) { run(*this); });
    return item;
}

// Items in the order the designer expects them; captions that depend on the selection are
// set by Refresh.
void TzuDesignMenu::Build() {
    m_built = true;
    TzuMenuItems* items = Items();
    AddCommand(items, u"Add", kAddSame, [](TzuDesignMenu& m) { m.AddSame(); });
    TzuMenuItem* add = AddCommand(items, u"Add object", kAddObject, nullptr);
    std::map<std::string, TzuMenuItem*> categories;
    for (const auto& [category, cls] : ClassRegistry()) {
        // Classes of no category are parts and helpers, not objects one adds by hand.
        if (category.empty() || !cls->create || !cls->InheritsFrom(TzuObject::StaticClass())) continue;
        TzuMenuItem*& sub = categories[category];
        if (!sub) sub = add->Items()->AddItem(Utf8ToUtf16(category));
        TzuMenuItem* item = sub->Items()->AddItem(Utf8ToUtf16(DesignClassName(cls->name)));
        const TzuClass* which = cls;
        item->OnClick().Set([this, which](TzuPersistent*) { AddObject(*which); });
    }
    AddCommand(items, u"Delete object", kDelete, [](TzuDesignMenu& m) { m.DeleteSelection(); });
    AddCommand(items, u"Load From File...", "Load", [](TzuDesignMenu& m) { m.LoadFromFile(); });
    AddCommand(items, u"-", "", nullptr);
    AddCommand(items, u"Hide in Design-time", kHide, [](TzuDesignMenu& m) { m.ToggleDesignHide(); });
    AddCommand(items, u"Edit Default Style...", kDefaultStyle,
               [](TzuDesignMenu& m) { m.EditDefaultStyle(); });
    AddCommand(items, u"Edit Custom Style...", kCustomStyle, [](TzuDesignMenu& m) { m.EditCustomStyle(); });
    AddCommand(items, u"Tab Order...", kTabOrder, [](TzuDesignMenu& m) { m.EditTabOrder(); });
    AddCommand(items, u"-", "", nullptr);
    TzuMenuItem* order = AddCommand(items, u"Order", kOrder, nullptr);
    AddCommand(order->Items(), u"Bring to front", "Front", [](TzuDesignMenu& m) { m.BringToFront(); });
    AddCommand(order->Items(), u"Send to back", "Back", [](TzuDesignMenu& m) { m.SendToBack(); });
    TzuMenuItem* edit = AddCommand(items, u"Edit", kEdit, nullptr);
    AddCommand(edit->Items(), u"Copy to clipboard", "Copy", [](TzuDesignMenu& m) { m.CopySelection(); });
    AddCommand(edit->Items(), u"Paste from clipboard", kPaste, [](TzuDesignMenu& m) { m.Paste(); });
    TzuMenuItem* grid = AddCommand(items, u"Grid", "Grid", nullptr);
    AddCommand(grid->Items(), u"Show snap grid", kGridShow, [](TzuDesignMenu& m) {
        m.SetSnapGridShow(!m.Scene().DesignSnapGridShow());
    })->SetAutoCheck(true);
    AddCommand(grid->Items(), u"-", "", nullptr);
    const std::pair<const char16_t*, const char*> modes[] = {
        {u"Snap to grid", kSnapGrid}, {u"Snap to lines", kSnapLines}, {u"Snap disabled", kSnapNone}};
    for (int mode = 0; mode < 3; ++mode) {
        TzuMenuItem* item = AddCommand(grid->Items(), modes[mode].first, modes[mode].second, nullptr);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->OnClick().Set([this, mode](TzuPersistent*) { SetSnapMode(mode); });
    }
}

void TzuDesignMenu::Refresh() {
    if (!m_built) Build();
    TzuObject* selection = m_scene.DesignSelection();
    auto* visual = As<TzuVisualObject>(selection);
    auto* control = As<TzuControl>(selection);
    TzuMenuItem* same = Items()->Find(kAddSame);
    same->SetVisible(selection != nullptr);
    if (selection) same->SetCaption(u"Add " + Utf8ToUtf16(DesignClassName(selection->ClassName())));
    Items()->Find(kDelete)->SetEnabled(selection && selection->Parent());
    TzuMenuItem* hide = Items()->Find(kHide);
    hide->SetVisible(visual != nullptr);
    hide->SetChecked(visual && visual->DesignHide());
    Items()->Find(kDefaultStyle)->SetVisible(control != nullptr);
    Items()->Find(kCustomStyle)->SetVisible(control != nullptr);
    Items()->Find(kTabOrder)->SetVisible(control && control->CanFocus() && control->Parent());
    Items()->Find(kOrder)->SetEnabled(selection && selection->Parent());
    TzuMenuItems* edit = Items()->Find(kEdit)->Items();
    edit->Find("Copy")->SetEnabled(selection != nullptr);
    edit->Find(kPaste)->SetEnabled(!ClipboardBuffer().empty());
    TzuMenuItems* grid = Items()->Find("Grid")->Items();
    grid->Find(kGridShow)->SetChecked(m_scene.DesignSnapGridShow());
    const int mode = m_scene.DesignSnapToGrid() ? 0 : m_scene.DesignSnapToLines() ? 1 : 2;
    grid->Find(kSnapGrid)->SetChecked(mode == 0);
    grid->Find(kSnapLines)->SetChecked(mode == 1);
    grid->Find(kSnapNone)->SetChecked(mode == 2);
}

void TzuDesignMenu::Open(const TzuPoint& scenePoint, int screenX, int screenY) {
    m_dropPoint = scenePoint;
    m_hasDropPoint = true;
    Popup(screenX, screenY, m_scene.Window());
}

// ---- Shared steps ----

void TzuDesignMenu::Select(TzuObject* object) {
    TzuObject* old = m_scene.DesignSelection();
    m_scene.SetDesignSelection(object);
    if (old && old != object) old->Repaint();
    if (object) object->Repaint();
    if (IzuDesignHook* hook = DesignHook()) hook->SelectionChanged(m_scene, object);
}

void TzuDesignMenu::RepaintAll() {
    m_scene.AddUpdateRect({0, 0, float(m_scene.ClientWidth()), float(m_scene.ClientHeight())});
}

void TzuDesignMenu::StepDone() {
    if (IzuDesignHook* hook = DesignHook()) hook->DesignStepDone(m_scene);
}

std::string TzuDesignMenu::NewName(std::string_view className) {
    IzuDesignHook* hook = DesignHook();
    return hook ? hook->UniqueName(m_scene, className) : std::string();
}

void TzuDesignMenu::Insert(TzuObject* object, TzuObject* parent) {
    const std::string name = NewName(object->ClassName());
    if (!name.empty()) object->SetName(name);
    if (!parent) parent = m_scene.Root();
    if (parent) {
        object->SetParent(parent);
    } else {
        m_scene.AddObject(object);
    }
    auto* visual = As<TzuVisualObject>(object);
    const bool inside = m_dropPoint.X >= 0 && m_dropPoint.Y >= 0 && m_dropPoint.X < m_scene.ClientWidth() &&
                        m_dropPoint.Y < m_scene.ClientHeight();
    if (visual && m_hasDropPoint && inside && parent) {
        auto* host = As<TzuVisualObject>(parent);
        const TzuPoint local = host ? host->AbsoluteToLocal(m_dropPoint) : m_dropPoint;
        visual->Position()->SetPoint(local);
    }
    if (auto* host = As<TzuVisualObject>(parent)) host->Realign();
    Select(object);
    RepaintAll();
}

bool TzuDesignMenu::InsertFromStream(std::span<const uint8_t> data, const std::string& what) {
    std::string why;
    TzuComponent* owner = m_scene.Owner() ? m_scene.Owner() : &m_scene;
    TzuObject* object = ReadDesignObject(owner, data, why);
    if (!object) {
        if (TzuApplication* app = Application()) app->ShowException(what + ": nothing was added: " + why);
        return false;
    }
    Insert(object, m_scene.DesignSelection());
    StepDone();
    return true;
}

// ---- Commands ----

bool TzuDesignMenu::AddSame() {
    TzuObject* selection = m_scene.DesignSelection();
    if (!selection) return false;
    return AddObjectInto(selection->ClassType(), selection->Parent() ? selection->Parent() : selection);
}

bool TzuDesignMenu::AddObject(const TzuClass& cls) { return AddObjectInto(cls, m_scene.DesignSelection()); }

bool TzuDesignMenu::AddObjectInto(const TzuClass& cls, TzuObject* parent) {
    TzuComponent* owner = m_scene.Owner() ? m_scene.Owner() : &m_scene;
    auto* object = As<TzuObject>(CreateObject(cls.name, owner));
    if (!object) return false;
    // A new object that shows a text shows its class.
    if (TzuPropRef text = ResolveProperty(object, "Text");
        text && (text.prop->kind == TzuPropKind::String || text.prop->kind == TzuPropKind::WString))
        SetPropText(text, DesignClassName(cls.name));
    Insert(object, parent);
    StepDone();
    return true;
}

bool TzuDesignMenu::DeleteSelection() {
    TzuObject* selection = m_scene.DesignSelection();
    // The root holds the whole design: it is never deleted from here.
    if (!selection || !selection->Parent()) return false;
    TzuObject* parent = selection->Parent();
    Select(parent);
    delete selection;
    RepaintAll();
    StepDone();
    return true;
}

bool TzuDesignMenu::LoadFromFile() {
    TzuApplication* app = Application();
    if (!app) return false;
    const auto path =
        app->OpenFileDialog(m_scene.Window(), "Load From File", "Lumora Files", "*.lumora;*.zu");
    return path && LoadFile(*path);
}

bool TzuDesignMenu::LoadFile(const std::string& path) {
    std::string text;
    if (!ReadRegularFile(path, TzuResources::kMaxFileSize, text)) {
        if (TzuApplication* app = Application()) app->ShowException(path + ": cannot be read");
        return false;
    }
    return InsertFromStream({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, path);
}

bool TzuDesignMenu::ToggleDesignHide() {
    auto* visual = As<TzuVisualObject>(m_scene.DesignSelection());
    if (!visual) return false;
    visual->SetDesignHide(!visual->DesignHide());
    if (visual->DesignHide() && visual->Parent()) Select(visual->Parent());
    RepaintAll();
    StepDone();
    return true;
}

bool TzuDesignMenu::BringToFront() {
    TzuObject* selection = m_scene.DesignSelection();
    if (!selection || !selection->Parent()) return false;
    selection->BringToFront();
    RepaintAll();
    StepDone();
    return true;
}

bool TzuDesignMenu::SendToBack() {
    TzuObject* selection = m_scene.DesignSelection();
    if (!selection || !selection->Parent()) return false;
    selection->SendToBack();
    RepaintAll();
    StepDone();
    return true;
}

bool TzuDesignMenu::CopySelection() {
    TzuObject* selection = m_scene.DesignSelection();
    if (!selection) return false;
    std::string text;
    SaveObjectToText(selection, text);
    ClipboardBuffer() = std::move(text);
    return true;
}

bool TzuDesignMenu::Paste() {
    const std::string& text = ClipboardBuffer();
    if (text.empty()) return false;
    return InsertFromStream({reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                            "Paste from clipboard");
}

void TzuDesignMenu::SetSnapGridShow(bool value) {
    m_scene.SetDesignSnapGridShow(value);
    RepaintAll();
    StepDone();
}

void TzuDesignMenu::SetSnapMode(int mode) {
    m_scene.SetDesignSnapToGrid(mode == 0);
    m_scene.SetDesignSnapToLines(mode == 1);
    RepaintAll();
    StepDone();
}

TzuTabOrderEditor* TzuDesignMenu::EditTabOrder() {
    auto* control = As<TzuControl>(m_scene.DesignSelection());
    if (!control || !control->CanFocus() || !control->Parent()) return nullptr;
    if (!m_tabEditor) {
        m_tabEditor = new TzuTabOrderEditor(this);
        m_tabEditor->OnMoved().Set([this](TzuPersistent*) { StepDone(); });
    }
    m_tabEditor->Edit(control);
    return m_tabEditor;
}

}  // namespace zu
