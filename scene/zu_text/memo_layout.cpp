// The memo's layout: per-line widths and wrap breaks measured once and kept until the line
// changes, the rows of all lines summed lazily from the first changed line, painting of the
// visible rows only, and the mapping between positions and points.

#include <algorithm>
#include <cctype>
#include <cmath>

#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/text_cursor.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_text/memo.h"

namespace zu {

namespace {

// Room left of the text so that a caret at the start of a line is not cut off.
constexpr float kInset = 2;
// Room right of the widest line for the caret behind its last character.
constexpr float kTrailing = 4;

void UseFont(TzuCanvas* cv, const TzuFont& font) {
    const TzuFont& f = *cv->Font();
    if (f.Family() != font.Family() || f.Size() != font.Size() || f.Style() != font.Style() ||
        f.ClearType() != font.ClearType())
        cv->Font()->Assign(font);
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000 || c == 0xA0; }

// Word characters: letters, digits, the underscore and everything beyond ASCII that is not
// a blank; the rest of ASCII is punctuation, a word of its own kind.
int CharClass(char16_t c) {
    if (IsSpace(c)) return 0;
    if (c < 0x80 && !(std::isalnum(int(c)) || c == u'_')) return 2;
    return 1;
}

}  // namespace

// ---- Measuring ----

float TzuMemo::Measure(std::u16string_view s) {
    if (s.empty()) return 0;
    TzuCanvas* cv = Canvas();
    // Off a scene there is nothing to measure with; half the font size per unit is the
    // estimate the layout uses until the memo is shown.
    if (!cv) return float(s.size()) * m_font.Size() / 2;
    UseFont(cv, m_font);
    return cv->TextWidth(std::u16string(s));
}

float TzuMemo::LineHeight() {
    if (m_lineHeight > 0) return m_lineHeight;
    TzuCanvas* cv = Canvas();
    float h = 0;
    if (cv) {
        Measure(u"A");
        TzuRect r{0, 0, 1000, 1000};
        cv->MeasureText(r, u"Ag", false, zuTextAlignNear, zuTextAlignNear);
        h = RectHeight(r);
    }
    if (!(h > 0)) h = std::ceil(m_font.Size() * 1.25f);
    // Rows are found by dividing by the height: it never drops below a pixel.
    if (!(h >= 1)) h = 1;
    // Only a measured height is kept: an estimate gives way once a canvas is there.
    if (cv) m_lineHeight = std::ceil(h);
    return std::ceil(h);
}

float TzuMemo::WrapWidth() {
    TzuVisualObject* vp = Viewport();
    const float w = vp ? vp->Width() : Width();
    return std::max(1.0f, w - kInset - kTrailing);
}

void TzuMemo::InvalidateLayout() {
    for (LineData& l : m_lines) {
        l.width = -1;
        l.wrapWidth = -1;
    }
    m_lineHeight = 0;
    m_maxWidthStale = true;
    m_rowsValid = std::min(m_rowsValid, 1);
}

void TzuMemo::LayoutLine(int index) {
    LineData& l = m_lines[size_t(index)];
    if (l.width < 0) l.width = Measure(l.text);
    if (!m_wordWrap) return;
    const float wrap = m_layoutWrapWidth;
    if (l.wrapWidth == wrap) return;
    l.wrapWidth = wrap;
    l.breaks.clear();
    // A line that fits needs no search; most lines of a text do.
    if (l.width <= wrap) return;
    const std::u16string& t = l.text;
    const int n = int(t.size());
    int start = 0;
    while (start < n) {
        if (start > 0 && Measure(std::u16string_view(t).substr(size_t(start))) <= wrap) break;
        // The longest run from start that fits, found by halving over the cursor stops.
        std::vector<int> stops;
        for (TzuMemoPos p{index, start}; p.col < n;) {
            p = NextStop(p);
            stops.push_back(p.col);
        }
        int lo = 0, hi = int(stops.size()) - 1;
        while (lo < hi) {
            const int mid = (lo + hi + 1) / 2;
            if (Measure(std::u16string_view(t).substr(size_t(start), size_t(stops[size_t(mid)] - start))) <=
                wrap)
                lo = mid;
            else
                hi = mid - 1;
        }
        int end = stops[size_t(lo)];  // at least one stop per row, so every row moves on
        // Break after the last blank of the run when there is one, so words stay whole;
        // blanks at the break hang over the edge.
        int blank = end;
        while (blank > start && !IsSpace(t[size_t(blank - 1)])) --blank;
        if (blank > start && end < n) end = blank;
        while (end < n && IsSpace(t[size_t(end)])) ++end;
        if (end >= n) break;
        l.breaks.push_back(end);
        start = end;
    }
}

int TzuMemo::RowCount(int index) {
    if (!m_wordWrap) return 1;
    LayoutLine(index);
    return int(m_lines[size_t(index)].breaks.size()) + 1;
}

void TzuMemo::EnsureRows() {
    const int n = LineCount();
    if (m_wordWrap) {
        const float wrap = WrapWidth();
        if (wrap != m_layoutWrapWidth) {
            m_layoutWrapWidth = wrap;
            m_rowsValid = std::min(m_rowsValid, 1);
        }
    }
    if (m_rowsValid > n) return;
    m_rowStart.resize(size_t(n) + 1);
    m_rowStart[0] = 0;
    for (int i = std::max(m_rowsValid, 1); i <= n; ++i)
        m_rowStart[size_t(i)] = m_rowStart[size_t(i - 1)] + RowCount(i - 1);
    m_rowsValid = n + 1;
}

int TzuMemo::RowStartOf(int index) {
    EnsureRows();
    return m_rowStart[size_t(index)];
}

int TzuMemo::TotalRows() {
    EnsureRows();
    return m_rowStart[m_lines.size()];
}

int TzuMemo::RowOf(TzuMemoPos p) {
    const int first = RowStartOf(p.line);
    if (!m_wordWrap) return first;
    const auto& br = m_lines[size_t(p.line)].breaks;
    return first + int(std::upper_bound(br.begin(), br.end(), p.col) - br.begin());
}

TzuMemoPos TzuMemo::RowStartPos(int row) {
    EnsureRows();
    row = std::clamp(row, 0, TotalRows() - 1);
    const auto it = std::upper_bound(m_rowStart.begin(), m_rowStart.begin() + LineCount(), row);
    const int line = int(it - m_rowStart.begin()) - 1;
    const int sub = row - m_rowStart[size_t(line)];
    return {line, sub == 0 ? 0 : m_lines[size_t(line)].breaks[size_t(sub - 1)]};
}

TzuMemoPos TzuMemo::RowEndPos(int row) {
    const TzuMemoPos start = RowStartPos(row);
    const LineData& l = m_lines[size_t(start.line)];
    if (m_wordWrap) {
        const auto it = std::upper_bound(l.breaks.begin(), l.breaks.end(), start.col);
        // The caret at a break belongs to the next row: a row ends before its last blank.
        if (it != l.breaks.end()) {
            int end = *it;
            if (end > start.col && IsSpace(l.text[size_t(end - 1)])) --end;
            return {start.line, end};
        }
    }
    return {start.line, int(l.text.size())};
}

float TzuMemo::MaxLineWidth() {
    if (!m_maxWidthStale) {
        // Lines edited in place can only have grown past the widest one.
        for (int i : m_unmeasured) {
            if (i >= LineCount()) continue;
            LayoutLine(i);
            m_maxWidth = std::max(m_maxWidth, m_lines[size_t(i)].width);
        }
        m_unmeasured.clear();
        return m_maxWidth;
    }
    m_unmeasured.clear();
    float w = 0;
    for (int i = 0; i < LineCount(); ++i) {
        LayoutLine(i);
        w = std::max(w, m_lines[size_t(i)].width);
    }
    m_maxWidth = w;
    m_maxWidthStale = false;
    return w;
}

// ---- Positions and points ----

TzuRect TzuMemo::CharRect(TzuMemoPos pos) {
    const int row = RowOf(pos);
    const TzuMemoPos start = RowStartPos(row);
    const std::u16string& t = m_lines[size_t(pos.line)].text;
    const float x = kInset + Measure(std::u16string_view(t).substr(size_t(start.col),
                                                                   size_t(std::max(0, pos.col - start.col))));
    const float lh = LineHeight();
    return {x, row * lh, x + 1, (row + 1) * lh};
}

TzuMemoPos TzuMemo::PosAtPoint(float x, float y) {
    const float lh = LineHeight();
    const int row = int(std::floor(y / lh));
    if (row < 0) return {};
    if (row >= TotalRows()) return {LineCount() - 1, int(m_lines.back().text.size())};
    const TzuMemoPos start = RowStartPos(row), end = RowEndPos(row);
    const std::u16string_view t = m_lines[size_t(start.line)].text;
    auto xOf = [&](int col) {
        return kInset + Measure(t.substr(size_t(start.col), size_t(col - start.col)));
    };
    if (x <= kInset) return start;
    // Halving over the cursor stops of the row, then the nearer side of the one under x.
    std::vector<int> stops{start.col};
    for (TzuMemoPos p = start; p.col < end.col;) {
        p = NextStop(p);
        stops.push_back(std::min(p.col, end.col));
    }
    int lo = 0, hi = int(stops.size()) - 1;
    if (xOf(stops.back()) <= x) return {start.line, stops.back()};
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (xOf(stops[size_t(mid)]) <= x)
            lo = mid;
        else
            hi = mid;
    }
    const float a = xOf(stops[size_t(lo)]), b = xOf(stops[size_t(hi)]);
    return {start.line, x - a < b - x ? stops[size_t(lo)] : stops[size_t(hi)]};
}

// ---- Cursor steps and words ----

TzuMemoPos TzuMemo::NextStop(TzuMemoPos p) const {
    const std::u16string_view t = m_lines[size_t(p.line)].text;
    if (size_t(p.col) >= t.size()) return p.line + 1 < LineCount() ? TzuMemoPos{p.line + 1, 0} : p;
    return {p.line, NextCursorPos(t, p.col)};
}

TzuMemoPos TzuMemo::PrevStop(TzuMemoPos p) const {
    if (p.col <= 0)
        return p.line > 0 ? TzuMemoPos{p.line - 1, int(m_lines[size_t(p.line - 1)].text.size())} : p;
    return {p.line, PrevCursorPos(m_lines[size_t(p.line)].text, p.col)};
}

TzuMemoPos TzuMemo::NextWord(TzuMemoPos p) const {
    const std::u16string& t = m_lines[size_t(p.line)].text;
    if (size_t(p.col) >= t.size()) return NextStop(p);
    size_t i = size_t(p.col);
    // Over the word, then over the blanks after it: the caret lands on the next word.
    while (i < t.size() && !IsSpace(t[i])) ++i;
    while (i < t.size() && IsSpace(t[i])) ++i;
    return {p.line, int(i)};
}

TzuMemoPos TzuMemo::PrevWord(TzuMemoPos p) const {
    if (p.col == 0) return PrevStop(p);
    const std::u16string& t = m_lines[size_t(p.line)].text;
    size_t i = size_t(p.col);
    while (i > 0 && IsSpace(t[i - 1])) --i;
    while (i > 0 && !IsSpace(t[i - 1])) --i;
    return {p.line, int(i)};
}

void TzuMemo::SelectWordAt(TzuMemoPos p) {
    const std::u16string& t = m_lines[size_t(p.line)].text;
    if (t.empty()) {
        SetCaretPosition(p);
        return;
    }
    size_t at = std::min(size_t(p.col), t.size() - 1);
    // A click just behind a word's end selects that word, not the blank after it.
    if (at > 0 && CharClass(t[at]) == 0 && CharClass(t[at - 1]) != 0) --at;
    const int cls = CharClass(t[at]);
    size_t a = at, b = at + 1;
    while (a > 0 && CharClass(t[a - 1]) == cls) --a;
    while (b < t.size() && CharClass(t[b]) == cls) ++b;
    m_anchor = {p.line, int(a)};
    SetCaretPosition({p.line, int(b)}, true);
}

// ---- Scrolling and the caret ----

TzuRect TzuMemo::ContentBounds() {
    TzuVisualObject* vp = Viewport();
    if (!vp || !Content()) return TzuScrollBox::ContentBounds();
    const float h = TotalRows() * LineHeight();
    const float w = m_wordWrap ? vp->Width() : kInset + MaxLineWidth() + kTrailing;
    return {0, 0, std::max(w, vp->Width()), std::max(h, vp->Height())};
}

void TzuMemo::Realign() {
    if (m_inRealign) return;
    m_inRealign = true;
    TzuObjectGuard guard(this);
    TzuScrollBox::Realign();
    if (!guard.Alive()) return;
    m_inRealign = false;
    UpdateCaret();
}

void TzuMemo::UpdateCaret() {
    // An unfocused memo shows no caret and needs none made.
    if (!Content() || IsLoading() || !IsFocused()) return;
    const TzuRect r = CharRect(m_caret);
    TzuVisualObject* caret = Caret();
    if (!caret) return;
    // The caret scrolls and clips with the text it stands in.
    if (caret->Parent() != Content()) caret->SetParent(Content());
    // While composing, the caret stands inside the composition.
    const float into =
        m_preedit.empty() ? 0 : Measure(std::u16string_view(m_preedit).substr(0, size_t(m_preeditCursor)));
    SetCaretSize({2, RectHeight(r)});
    SetCaretPos(TzuPoint{r.Left + into - 1, r.Top});
    SetCaretColor(m_foreground.Color());
}

TzuRect TzuMemo::CaretRect() {
    // In the memo's own coordinates, where the input method's window is placed.
    const TzuRect r = CharRect(m_caret);
    TzuPoint origin{};
    if (Content()) origin = Content()->Position()->GetPoint();
    return {origin.X + r.Left - 1, origin.Y + r.Top, origin.X + r.Left + 1, origin.Y + r.Bottom};
}

void TzuMemo::ScrollToCaret() {
    TzuVisualObject* vp = Viewport();
    if (!vp) return;
    const TzuRect r = CharRect(m_caret);
    if (TzuScrollBar* v = VScrollBar(); v && v->Visible()) {
        float value = v->Value();
        if (r.Top < value) value = r.Top;
        if (r.Bottom > value + vp->Height()) value = r.Bottom - vp->Height();
        v->SetValue(value);
    }
    if (TzuScrollBar* h = HScrollBar(); h && h->Visible()) {
        float value = h->Value();
        // Some text stays in view on the caret's side, so typing does not hug the edge.
        const float lead = std::min(vp->Width() / 4, 40.0f);
        if (r.Left - kInset < value) value = std::max(0.0f, r.Left - lead);
        if (r.Right + kTrailing > value + vp->Width()) value = r.Right + lead - vp->Width();
        h->SetValue(value);
    }
}

void TzuMemo::AfterEdit(bool sizeMayChange) {
    if (IsLoading()) return;
    TzuObjectGuard guard(this);
    if (sizeMayChange) {
        // The scroll bars need a new layout only when the text's extent changed.
        const TzuRect now = ContentBounds();
        TzuScrollContent* content = Content();
        if (!content || RectWidth(now) != content->Width() || RectHeight(now) != content->Height()) Realign();
        if (!guard.Alive()) return;
    }
    ScrollToCaret();
    if (!guard.Alive()) return;
    UpdateCaret();
    Repaint();
}

// ---- Painting ----

void TzuMemo::PaintContent(TzuCanvas* cv, const TzuRect& r) {
    const float lh = LineHeight();
    const int total = TotalRows();
    const int first = std::max(0, int(std::floor(r.Top / lh)));
    const int last = std::min(total - 1, int(std::floor(r.Bottom / lh)));
    if (first > last) return;
    const float opacity = AbsoluteOpacity();
    const bool selection = IsFocused() && HasSelection();
    const TzuMemoPos s0 = SelStart(), s1 = SelEnd();
    for (int row = first; row <= last; ++row) {
        const TzuMemoPos a = RowStartPos(row);
        const TzuMemoPos b = RowEndPos(row);
        const std::u16string& t = m_lines[size_t(a.line)].text;
        const float y = row * lh;
        if (selection && s1 > a && s0 <= b) {
            const int c0 = s0 > a ? s0.col : a.col;
            const int c1 = s1 < b ? s1.col : b.col;
            const float x0 =
                kInset + Measure(std::u16string_view(t).substr(size_t(a.col), size_t(c0 - a.col)));
            float x1 = kInset + Measure(std::u16string_view(t).substr(size_t(a.col), size_t(c1 - a.col)));
            // A selected line break shows as a little room past the line's end.
            if (s1 > b && b.col == int(t.size())) x1 += m_font.Size() / 3;
            if (x1 > x0) {
                cv->Fill()->Assign(m_selection);
                cv->FillRect({x0, y, x1, y + lh}, 0, 0, 0, opacity, zuCornerRound);
            }
        }
        // The composition shows in the caret's row, at the caret.
        const bool composing = !m_preedit.empty() && IsFocused() && RowOf(m_caret) == row;
        if (b.col > a.col || composing) {
            UseFont(cv, m_font);
            cv->Fill()->Assign(m_foreground);
            const float x = kInset;
            std::u16string shown = t.substr(size_t(a.col), size_t(b.col - a.col));
            if (composing)
                shown.insert(size_t(std::clamp(m_caret.col - a.col, 0, int(shown.size()))), m_preedit);
            cv->FillText({x, y, std::max(r.Right, x + 1) + 10000, y + lh}, shown, false, opacity,
                         zuTextAlignNear, zuTextAlignNear);
            if (composing) {
                const float x0 = CharRect(m_caret).Left;
                cv->FillRect({x0, y + lh - 1, x0 + Measure(m_preedit), y + lh}, 0, 0, 0, opacity,
                             zuCornerRound);
            }
        }
    }
}

}  // namespace zu
