#pragma once
// TzuDesignMenu is the context menu of a scene being designed: a right press while designing
// opens it (through the design menu hook InstallDesignMenu sets), and its commands add,
// delete, load, hide, restyle, reorder, copy and paste objects and set the snapping. The
// scene owns its menu, made on first use. Every command that changed the scene ends by
// telling the designer's hook that a design step is done.
//
// Usage:
//   zu::InstallDesignMenu();                     // RegisterAll does this
//   zu::DesignMenuOf(scene)->AddObject(zu::TzuRectangle::StaticClass());

#include <span>
#include <string>
#include <string_view>

#include "platform/core/popup_menu.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuClass;
class TzuCustomScene;
class TzuObject;
class TzuTabOrderEditor;

// Installs the hook that opens a designed scene's menu on a right press.
void InstallDesignMenu();

// The menu of a scene, made (and owned by the scene) on first use.
class TzuDesignMenu;
TzuDesignMenu* DesignMenuOf(TzuCustomScene& scene);

// The copy buffer of "Copy to clipboard": process-private, never the platform clipboard.
const std::string& DesignClipboardText();
void SetDesignClipboardText(std::string text);

// A class name as the designer shows it: without the "Tzu" prefix.
std::string DesignClassName(std::string_view className);

// Reads one scene object from a component stream (binary or text form), owned by owner:
// the whole object, or null with the reason in why. A stream that does not read leaves
// nothing behind.
TzuObject* ReadDesignObject(TzuComponent* owner, std::span<const uint8_t> data, std::string& why);

class TzuDesignMenu : public TzuPopupMenu {
    ZU_CLASS(TzuDesignMenu)
public:
    explicit TzuDesignMenu(TzuCustomScene& scene);
    ~TzuDesignMenu() override;

    TzuCustomScene& Scene() const { return m_scene; }
    // Shows the menu at a screen point; scenePoint is where new objects go.
    void Open(const TzuPoint& scenePoint, int screenX, int screenY);
    // Sets the items' captions, visibility and checks for the current selection.
    void Refresh();
    void ClearDropPoint() { m_hasDropPoint = false; }

    // ---- Commands: each answers whether it changed the scene ----
    // Another object of the selection's class, beside it (inside it when it is the root).
    bool AddSame();
    // A new object of cls inside the selection, or the root of an empty scene.
    bool AddObject(const TzuClass& cls);
    // Frees the selection and selects its parent; the root is never deleted.
    bool DeleteSelection();
    // Asks for a file and reads an object from it into the selection.
    bool LoadFromFile();
    bool LoadFile(const std::string& path);
    bool ToggleDesignHide();
    bool EditDefaultStyle();
    bool EditCustomStyle();
    // Opens the tab-order editor on the selected control's siblings; null when it is not a
    // focusable control.
    TzuTabOrderEditor* EditTabOrder();
    bool BringToFront();
    bool SendToBack();
    bool CopySelection();
    bool Paste();
    void SetSnapGridShow(bool value);
    // 0 snaps to the grid, 1 to siblings' lines, 2 disables snapping.
    void SetSnapMode(int mode);

    TzuTabOrderEditor* TabOrderEditor() const { return m_tabEditor; }
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    void Build();
    bool AddObjectInto(const TzuClass& cls, TzuObject* parent);
    TzuMenuItem* AddCommand(TzuMenuItems* items, const char16_t* caption, const char* name,
                            void (*run)(TzuDesignMenu&));
    // Makes object a child of parent (or the scene's root), names it, places it at the drop
    // point and selects it.
    void Insert(TzuObject* object, TzuObject* parent);
    // Reads an object from data into the selection; an error box says why when it fails.
    bool InsertFromStream(std::span<const uint8_t> data, const std::string& what);
    std::string NewName(std::string_view className);
    void Select(TzuObject* object);
    void RepaintAll();
    void StepDone();

    TzuCustomScene& m_scene;
    TzuTabOrderEditor* m_tabEditor = nullptr;
    TzuPoint m_dropPoint{};
    bool m_hasDropPoint = false;
    bool m_built = false;
};

}  // namespace zu
