// Measuring, scrolling and painting the text of the text box, and placing its caret.
// Only the stretch of text that can show is ever measured or drawn, so a keystroke in a
// very long text costs about what it costs in a short one.

#include <algorithm>
#include <cmath>

#include "scene/zu_scene/graphics/text_cursor.h"
#include "scene/zu_text/text_box.h"

namespace zu {

namespace {
// The narrowest a character is taken to be, in font sizes, when bounding how much text can
// show; zero-width marks ride along with their base character.
constexpr float kNarrowestChar = 0.1f;
// Texts longer than this are taken to be wider than any box without measuring them.
constexpr size_t kMeasureWholeLimit = 4096;
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

TzuRect TzuTextBox::TextArea() {
    if (!m_content) return LocalRect();
    const TzuRect r = m_content->LocalRect();
    const TzuPoint a = AbsoluteToLocal(m_content->LocalToAbsolute({r.Left, r.Top}));
    const TzuPoint b = AbsoluteToLocal(m_content->LocalToAbsolute({r.Right, r.Bottom}));
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

float TzuTextBox::MeasureWidth(std::u16string_view text) {
    if (text.empty()) return 0;
    if (m_password) return float(text.size()) * m_font.Size() / 2;
    TzuCanvas* cv = Canvas();
    if (!cv) return float(text.size()) * m_font.Size() / 2;
    cv->Font()->Assign(m_font);
    return cv->TextWidth(std::u16string(text));
}

float TzuTextBox::WholeWidth() {
    if (m_wholeWidth >= 0) return m_wholeWidth;
    if (m_text.size() > kMeasureWholeLimit) return 1e9f;
    m_wholeWidth = MeasureWidth(m_text);
    return m_wholeWidth;
}

int TzuTextBox::VisibleUnits(float areaWidth) const {
    const float narrowest = std::max(1.0f, m_font.Size() * kNarrowestChar);
    return int(std::max(0.0f, areaWidth) / narrowest) + 32;
}

float TzuTextBox::PosToX(int pos) {
    const TzuRect area = TextArea();
    const int first = m_firstVisible - 1;
    pos = std::clamp(pos, 0, int(m_text.size()));
    float x;
    if (m_password) {
        x = area.Left + float(pos - first) * m_font.Size() / 2;
    } else if (pos >= first) {
        x = area.Left + MeasureWidth(std::u16string_view(m_text).substr(size_t(first), size_t(pos - first)));
    } else {
        // Before the visible text: only far enough left to clip a selection.
        const int from = std::max(pos, first - VisibleUnits(RectWidth(area)));
        x = area.Left - MeasureWidth(std::u16string_view(m_text).substr(size_t(from), size_t(first - from)));
    }
    const float spare = RectWidth(area) - WholeWidth();
    if (spare > 0 && m_textAlign == zuTextAlignCenter) x += spare / 2;
    if (spare > 0 && m_textAlign == zuTextAlignFar) x += spare;
    return x;
}

int TzuTextBox::XToPos(float x) {
    const TzuRect area = TextArea();
    const int n = int(m_text.size());
    const int first = std::min(m_firstVisible - 1, n);
    if (m_password) {
        const float half = std::max(0.5f, m_font.Size() / 2);
        float left = area.Left;
        const float spare = RectWidth(area) - WholeWidth();
        if (spare > 0 && m_textAlign == zuTextAlignCenter) left += spare / 2;
        if (spare > 0 && m_textAlign == zuTextAlignFar) left += spare;
        const float steps = std::trunc((x - left) / half);
        return CursorPosAtOrBefore(m_text, int(std::clamp(float(first) + steps, 0.0f, float(n))));
    }
    // The cursor positions of the visible stretch, searched for the one whose character
    // holds x; the position goes to the nearer side of that character.
    const int end = std::min(n, first + VisibleUnits(RectWidth(area)));
    int lo = first, hi = end;
    if (x <= PosToX(first)) return first;
    if (x >= PosToX(end)) return end;
    // PosToX(lo) < x <= PosToX(hi): narrow down to one character.
    while (true) {
        const int mid = CursorPosAtOrBefore(m_text, lo + (hi - lo) / 2);
        if (mid <= lo) {
            const int next = NextCursorPos(m_text, lo);
            if (next >= hi) break;
            if (PosToX(next) < x)
                lo = next;
            else
                hi = next;
            continue;
        }
        if (PosToX(mid) < x)
            lo = mid;
        else
            hi = mid;
    }
    const float left = PosToX(lo), right = PosToX(hi);
    return x > (left + right) / 2 ? hi : lo;
}

void TzuTextBox::ScrollToCaret() {
    const int n = int(m_text.size());
    m_firstVisible = std::clamp(m_firstVisible, 1, std::max(1, n));
    if (m_caretPos < m_firstVisible - 1 || n == 0) {
        m_firstVisible = std::max(1, m_caretPos);
        if (m_caretPos == 0 || n == 0) m_firstVisible = 1;
        return;
    }
    const float width = RectWidth(TextArea());
    std::u16string_view text(m_text);
    auto tooWide = [&](int from) {
        return MeasureWidth(text.substr(size_t(from), size_t(m_caretPos - from))) > width;
    };
    int lo = m_firstVisible - 1;
    if (!tooWide(lo)) return;
    // The caret is out of view on the right. Start near the caret rather than measuring the
    // whole stretch from the old first character: no more than this many units can fit.
    const int reach = VisibleUnits(width);
    if (m_caretPos - lo > reach && tooWide(m_caretPos - reach)) lo = m_caretPos - reach;
    // Coarse steps forward while the text from there to the caret is still too wide.
    for (int step : {500, 100, 50, 10, 1}) {
        while (lo + step <= m_caretPos && tooWide(lo + step)) lo += step;
    }
    int first = lo + 1;
    if (first < n && IsLowSurrogate(m_text[size_t(first)])) ++first;
    m_firstVisible = std::min(first, n) + 1;
}

void TzuTextBox::CaretMoved() {
    m_wholeWidth = -1;
    if (IsLoading()) return;
    ScrollToCaret();
    if (!IsFocused() || !m_showCaret) return;
    const TzuRect area = TextArea();
    const float height = m_font.Size() * 1.25f;
    const float x =
        PosToX(m_caretPos) +
        (m_preedit.empty() ? 0
                           : MeasureWidth(std::u16string_view(m_preedit).substr(0, size_t(m_preeditCursor))));
    SetCaretSize({2, height});
    SetCaretPos({x - 1, area.Top + (RectHeight(area) - height) / 2});
    SetCaretColor(m_foreground.Color());
}

TzuRect TzuTextBox::CaretRect() {
    const TzuRect area = TextArea();
    const float x = PosToX(m_caretPos);
    return {x - 1, area.Top, x + 1, area.Bottom};
}

void TzuTextBox::SetPreedit(const std::u16string& text, int cursor) {
    if (text == m_preedit && cursor == m_preeditCursor) return;
    m_preedit = text;
    m_preeditCursor = std::clamp(cursor, 0, int(text.size()));
    CaretMoved();
    Repaint();
}

void TzuTextBox::Paint() {
    TzuControl::Paint();
    // Without a content part the box draws its text over its own box.
    if (!m_content) PaintText(nullptr);
}

void TzuTextBox::PaintContent(TzuContent& content) { PaintText(&content); }

void TzuTextBox::PaintText(TzuContent* content) {
    TzuCanvas* cv = content ? content->Canvas() : Canvas();
    if (!cv) return;
    const TzuRect area = TextArea();
    // Box coordinates to the content's own.
    const float ox = content ? area.Left : 0, oy = content ? area.Top : 0;
    auto local = [&](TzuRect r) {
        RectOffset(r, -ox, -oy);
        return r;
    };
    const float size = m_font.Size();
    const float opacity = AbsoluteOpacity();
    const int n = int(m_text.size());
    const int first = std::min(m_firstVisible - 1, n);
    const int saved = cv->SaveCanvas();
    cv->IntersectClipRect(local(area));
    cv->Fill()->Assign(m_foreground);
    if (m_password) {
        const float d = size / 2 - 1;
        const float top = area.Top + (RectHeight(area) - d) / 2;
        for (int i = first; i < n; ++i) {
            const float x = PosToX(i);
            if (x > area.Right) break;
            cv->FillEllipse(local({x, top, x + d, top + d}), opacity);
        }
    } else if (n > 0 || !m_preedit.empty()) {
        // Only what can show is handed to the canvas.
        int count = std::min(n - first, VisibleUnits(RectWidth(area)));
        if (first + count < n && IsLowSurrogate(m_text[size_t(first + count)])) ++count;
        std::u16string shown = m_text.substr(size_t(first), size_t(count));
        if (!m_preedit.empty() && m_caretPos >= first && m_caretPos <= first + count)
            shown.insert(size_t(m_caretPos - first), m_preedit);
        const bool fits = RectWidth(area) - WholeWidth() > 0;
        TzuRect r = area;
        TzuTextAlign align = fits ? m_textAlign : zuTextAlignNear;
        // Near text gets room on the right so that its last character is never cut.
        if (align == zuTextAlignNear) r.Right += size / 2;
        cv->Font()->Assign(m_font);
        cv->FillText(local(r), shown, false, opacity, align, zuTextAlignCenter);
        if (!m_preedit.empty()) {
            // The composition is underlined, as the desktop's own entries show it.
            const float x0 = PosToX(m_caretPos);
            const float x1 = x0 + MeasureWidth(m_preedit);
            const float base = area.Top + (RectHeight(area) + size) / 2;
            cv->FillRect(local({x0, base, x1, base + 1}), 0, 0, TzuCorners{}, opacity, zuCornerRound);
        }
    }
    if (IsFocused() && m_selLength != 0) {
        const int start = SelStart();
        const float x0 = PosToX(start), x1 = PosToX(start + SelExtent()) + 1;
        cv->Fill()->Assign(m_selection);
        cv->FillRect(local({x0, area.Top, x1, area.Bottom}), 0, 0, TzuCorners{}, opacity, zuCornerRound);
    }
    cv->RestoreCanvas(saved);
    PaintOver(*cv, {ox, oy});
}

}  // namespace zu
