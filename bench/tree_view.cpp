// A tree view of 100,000 items against one of 1,000, both showing the same 100 items (the
// rest inside collapsed top-level items): one realign of each, which must cost what is
// shown, not what the tree holds. Also one expand and collapse of a top-level item with
// 10,000 sub-items (reported). The last lines are the results, both sides interleaved.

#include "scene/zu_trees/tree_view.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {
namespace {

TzuHeadlessApplication& App() {
    static TzuHeadlessApplication app;
    return app;
}

class TreeWorld {
public:
    // 100 top-level items, each holding (total - 100) / 100 collapsed sub-items.
    explicit TreeWorld(int total) {
        App();
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 240, 400);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        tree = new TzuTreeView(nullptr);
        tree->SetBounds(10, 10, 220, 380);
        tree->SetParent(root);
        m_form->Show();
        tree->BeginUpdate();
        const int each = (total - 100) / 100;
        for (int i = 0; i < 100; ++i) {
            auto* top = new TzuTreeViewItem(nullptr);
            top->SetText(u"top");
            for (int k = 0; k < each; ++k) {
                auto* sub = new TzuTreeViewItem(nullptr);
                sub->SetText(u"sub");
                top->AddObject(sub);
            }
            tree->AddObject(top);
        }
        tree->EndUpdate();
        App().ProcessMessages();
    }
    ~TreeWorld() { delete m_form; }
    void Realign() { tree->Realign(); }
    TzuTreeView* tree = nullptr;

private:
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
};

}  // namespace
}  // namespace zu

int main() {
    zu::TreeWorld big(100000), small(1000);
    const double layout = zu::bench::InterleavedRatio([&] { big.Realign(); }, [&] { small.Realign(); }, 20);
    std::printf("ratio tree_layout_100k_vs_1k %.3f (goal <= 1.5)\n", layout);
    // A top-level item of 10,000 sub-items opened and closed again.
    zu::TreeWorld wide(100 + 100 * 10000 / 100);
    zu::TzuTreeViewItem* item = wide.tree->Item(0);
    item->SetIsExpanded(false);
    while (item->SubItemCount() < 10000) {
        auto* sub = new zu::TzuTreeViewItem(nullptr);
        item->AddObject(sub);
    }
    const double open = zu::bench::MedianMicros(
        [&] {
            item->SetIsExpanded(true);
            item->SetIsExpanded(false);
        },
        5);
    std::printf("expand_collapse_10k_subitems_ms %.2f\n", open / 1000);
    zu::TzuAniThread::FreeInstance();
    return 0;
}
