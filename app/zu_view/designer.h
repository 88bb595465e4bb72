#pragma once
// ViewDesigner is zu-view's design hook while it designs a scene file: it names new objects
// (class name without its prefix, then a number), shows the selection in the window title,
// keeps every design step as a snapshot of the streamed tree for undo and redo, and saves
// the tree back in the form the file was read in. It owns the snapshots; the form owns the
// scene, which an undo or redo replaces by one loaded from a snapshot.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/form.h"
#include "scene/zu_scene/host/design_hook.h"

namespace zu {
class TzuCustomScene;
}

class ViewDesigner : public zu::IzuDesignHook {
public:
    // data is the file as read; scene was loaded from it under form.
    ViewDesigner(zu::TzuForm& form, zu::TzuCustomScene* scene, std::string path,
                 const std::vector<uint8_t>& data);
    ~ViewDesigner() override;

    zu::TzuCustomScene* Scene() const { return m_scene; }
    // The tree in the file's form (text or binary) as it would be saved now.
    std::vector<uint8_t> Stream() const;
    // Writes the tree over the file through a temporary file in the same folder; false
    // with the reason in error when it could not (the file is then unchanged).
    bool Save(std::string& error);
    bool Undo() { return Step(-1); }
    bool Redo() { return Step(+1); }
    size_t StepCount() const { return m_steps.size(); }
    std::string Title() const { return m_title; }
    const std::string& Path() const { return m_path; }

    // ---- IzuDesignHook ----
    void SelectionChanged(zu::TzuCustomScene& scene, zu::TzuObject* selection) override;
    std::string UniqueName(zu::TzuCustomScene& scene, std::string_view className) override;
    void DesignStepDone(zu::TzuCustomScene& scene) override;

private:
    bool Step(int direction);
    void ShowTitle(zu::TzuObject* selection);

    zu::TzuForm& m_form;
    zu::TzuCustomScene* m_scene;
    std::string m_path;
    std::string m_title;
    bool m_text = false;                        // the file was in the text form
    bool m_sceneRoot = false;                   // the file's root is a scene, not a scene object
    std::vector<std::vector<uint8_t>> m_steps;  // binary snapshots, oldest first
    size_t m_current = 0;                       // the snapshot the scene shows
};
