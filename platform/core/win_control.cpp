#include "platform/core/win_control.h"

#include <algorithm>

#include "platform/core/application.h"

namespace zu {

namespace {
const char* const kAlignNames[] = {"alNone",  "alTop",    "alBottom", "alLeft",
                                   "alRight", "alClient", "alCustom"};
}

const TzuEnumInfo kControlAlignEnum{"TAlign", kAlignNames, 7};

const TzuClass& TzuWinControl::StaticClass() {
    using P = ZuProps<TzuWinControl>;
    static const TzuPropInfo props[] = {
        P::Int<&TzuWinControl::Left, &TzuWinControl::SetLeft>("Left").AlwaysStored(),
        P::Int<&TzuWinControl::Top, &TzuWinControl::SetTop>("Top").AlwaysStored(),
        P::Int<&TzuWinControl::Width, &TzuWinControl::SetWidth>("Width").AlwaysStored(),
        P::Int<&TzuWinControl::Height, &TzuWinControl::SetHeight>("Height").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuWinControl, TzuComponent>("TzuWinControl", props);
    return cls;
}

TzuWinControl::TzuWinControl(TzuComponent* owner) : TzuComponent(owner) {}

TzuWinControl::~TzuWinControl() {
    DestroyWindowTree();
    for (TzuWinControl* child : std::vector<TzuWinControl*>(m_controls)) child->m_parent = nullptr;
    m_controls.clear();
    if (m_parent) {
        auto& siblings = m_parent->m_controls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_parent = nullptr;
    }
}

void TzuWinControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == m_left && top == m_top && width == m_width && height == m_height) return;
    const bool resized = width != m_width || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    ApplyBounds();
    if (resized) AlignControls();
    if (m_parent && m_align != alNone && !m_parent->m_aligning) m_parent->AlignControls();
    BoundsChanged();
}

void TzuWinControl::ApplyBounds() {
    if (m_window) m_window->SetBounds(m_left, m_top, m_width, m_height);
}

void TzuWinControl::WindowResized(int width, int height) {
    if (width == m_width && height == m_height) return;
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    AlignControls();
    BoundsChanged();
}

void TzuWinControl::SetAlign(TzuControlAlign value) {
    if (value == m_align) return;
    m_align = value;
    if (m_parent) m_parent->AlignControls();
}

void TzuWinControl::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    if (m_visible) HandleNeeded();
    if (m_window) m_window->SetVisible(m_visible);
    if (m_parent) m_parent->AlignControls();
    VisibleChanged();
}

void TzuWinControl::SetParent(TzuWinControl* parent) {
    if (parent == m_parent) return;
    for (TzuWinControl* p = parent; p; p = p->m_parent) {
        if (p == this) throw EzuError("Control cannot have itself as parent");
    }
    DestroyWindowTree();
    if (m_parent) {
        auto& siblings = m_parent->m_controls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_parent->AlignControls();
    }
    m_parent = parent;
    if (m_parent) {
        m_parent->m_controls.push_back(this);
        m_parent->AlignControls();
        if (m_parent->HandleAllocated() && m_visible) HandleNeeded();
    }
}

TzuWinControl* TzuWinControl::ParentForm() {
    TzuWinControl* c = this;
    while (c && !c->IsForm()) c = c->m_parent;
    return c;
}

std::unique_ptr<IzuWindow> TzuWinControl::MakeWindow() {
    TzuApplication* app = Application();
    if (!app || !m_parent || !m_parent->m_window) return nullptr;
    return app->CreateChildWindow(*m_parent->m_window, *this);
}

void TzuWinControl::HandleNeeded() {
    if (m_window || IsDestroying()) return;
    if (m_parent) {
        m_parent->HandleNeeded();
        // The parent's own creation may have made this window already.
        if (m_window) return;
    }
    m_window = MakeWindow();
    if (!m_window) return;
    m_window->SetBounds(m_left, m_top, m_width, m_height);
    CreateHandle();
    for (TzuWinControl* child : m_controls) {
        if (child->m_visible) child->HandleNeeded();
    }
    m_window->SetVisible(m_visible);
}

void TzuWinControl::DestroyWindowTree() {
    for (TzuWinControl* child : m_controls) child->DestroyWindowTree();
    if (!m_window) return;
    DestroyHandle();
    m_window.reset();
}

void TzuWinControl::Invalidate() { InvalidateRect({0, 0, m_width, m_height}); }

void TzuWinControl::InvalidateRect(const TzuWinRect& r) {
    if (m_window) m_window->Invalidate(r);
}

void TzuWinControl::AlignControls() {
    if (m_aligning) return;
    m_aligning = true;
    TzuWinRect client{0, 0, ClientWidth(), ClientHeight()};
    // The framework's order: top, bottom, left, right, then client fills what is left.
    for (TzuControlAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TzuWinControl* c : m_controls) {
            if (c->m_align != pass || !c->m_visible) continue;
            int l = c->m_left, t = c->m_top, w = c->m_width, h = c->m_height;
            switch (pass) {
                case alTop:
                    l = client.Left;
                    t = client.Top;
                    w = client.Width();
                    client.Top += h;
                    break;
                case alBottom:
                    l = client.Left;
                    w = client.Width();
                    client.Bottom -= h;
                    t = client.Bottom;
                    break;
                case alLeft:
                    l = client.Left;
                    t = client.Top;
                    h = client.Height();
                    client.Left += w;
                    break;
                case alRight:
                    t = client.Top;
                    h = client.Height();
                    client.Right -= w;
                    l = client.Right;
                    break;
                default:
                    l = client.Left;
                    t = client.Top;
                    w = client.Width();
                    h = client.Height();
                    break;
            }
            c->SetBounds(l, t, w, h);
        }
    }
    m_aligning = false;
}

void TzuWinControl::GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* /*root*/) {
    for (TzuWinControl* child : m_controls) proc(child);
}

void TzuWinControl::SetParentComponent(TzuComponent* parent) { SetParent(As<TzuWinControl>(parent)); }

void TzuWinControl::Loaded() {
    TzuComponent::Loaded();
    AlignControls();
}

}  // namespace zu
