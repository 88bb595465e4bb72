#include "scene/zu_lists/highlight_pool.h"

#include <algorithm>
#include <string>

#include "scene/zu_scene/tree/object_stream.h"

namespace zu {

void TzuHighlightPool::Bind(TzuVisualObject* part) {
    Release();
    m_part = part;
    if (!m_part) return;
    m_part->FreeNotification(m_owner);
    m_part->SetVisible(false);
}

void TzuHighlightPool::Release() {
    for (TzuVisualObject* copy : m_copies) copy->RemoveFreeNotification(m_owner);
    m_copies.clear();
    if (m_part) m_part->RemoveFreeNotification(m_owner);
    m_part = nullptr;
}

void TzuHighlightPool::Forget(TzuComponent* component) {
    if (component == m_part) m_part = nullptr;
    auto it = std::find(m_copies.begin(), m_copies.end(), component);
    if (it != m_copies.end()) m_copies.erase(it);
}

void TzuHighlightPool::Show(TzuVisualObject* from, const std::vector<TzuRect>& rects, const TzuRect& view) {
    auto* parent = m_part ? As<TzuVisualObject>(m_part->Parent()) : nullptr;
    size_t used = 0;
    if (parent) {
        for (const TzuRect& rect : rects) {
            TzuRect shown;
            if (!RectIntersection(rect, view, shown)) continue;
            if (used == m_copies.size()) {
                auto* copy = As<TzuVisualObject>(CloneObject(m_part, m_owner));
                if (!copy) break;
                copy->SetName(std::string());
                copy->SetResourceName(std::string());
                copy->SetStored(false);
                copy->SetParent(parent);
                copy->FreeNotification(m_owner);
                m_copies.push_back(copy);
            }
            const TzuPoint a = parent->AbsoluteToLocal(from->LocalToAbsolute({shown.Left, shown.Top}));
            const TzuPoint b = parent->AbsoluteToLocal(from->LocalToAbsolute({shown.Right, shown.Bottom}));
            TzuVisualObject* copy = m_copies[used++];
            copy->SetBounds(a.X, a.Y, b.X - a.X, b.Y - a.Y);
            copy->SetVisible(true);
        }
    }
    for (size_t i = used; i < m_copies.size(); ++i) m_copies[i]->SetVisible(false);
}

}  // namespace zu
