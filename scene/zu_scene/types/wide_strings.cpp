#include "scene/zu_scene/types/wide_strings.h"

#include <algorithm>
#include <numeric>

#include "platform/core/property.h"

namespace zu {
namespace {

// Simple case folding for the scripts whose capitals map one to one within the BMP.
char16_t FoldCase(char16_t c) {
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
    // Latin Extended-A pairs capitals with the next code point.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        bool evenCapital = (c < 0x139) || (c > 0x148 && c < 0x179);
        if (evenCapital ? c % 2 == 0 : c % 2 == 1) return char16_t(c + 1);
    }
    return c;
}

struct UpdateScope {
    explicit UpdateScope(TzuWideStrings& l) : list(l) { list.BeginUpdate(); }
    ~UpdateScope() { list.EndUpdate(); }
    TzuWideStrings& list;
};

}  // namespace

// ---- TzuWideStrings ----

const TzuClass& TzuWideStrings::StaticClass() {
    using P = ZuProps<TzuWideStrings>;
    static const TzuPropInfo props[] = {
        P::Defined<&TzuWideStrings::ReadStrings, &TzuWideStrings::WriteStrings,
                   &TzuWideStrings::StringsStored>("strings"),
    };
    static const TzuClass cls = ZuClass<TzuWideStrings, TzuPersistent>("TzuWideStrings", props);
    return cls;
}

void TzuWideStrings::IndexError() { throw EzuError("list index error"); }

void TzuWideStrings::Put(int index, const std::u16string& s) {
    UpdateScope scope(*this);
    TzuPersistent* obj = GetObject(index);
    Delete(index);
    InsertObject(index, s, obj);
}

TzuPersistent* TzuWideStrings::GetObject(int index) const {
    if (index < 0 || index >= Count()) IndexError();
    return nullptr;
}

void TzuWideStrings::PutObject(int index, TzuPersistent*) {
    if (index < 0 || index >= Count()) IndexError();
}

void TzuWideStrings::InsertObject(int index, const std::u16string& s, TzuPersistent* obj) {
    UpdateScope scope(*this);
    Insert(index, s);
    PutObject(index, obj);
}

int TzuWideStrings::Add(const std::u16string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TzuWideStrings::AddObject(const std::u16string& s, TzuPersistent* obj) {
    UpdateScope scope(*this);
    int index = Add(s);
    PutObject(index, obj);
    return index;
}

void TzuWideStrings::AddStrings(const TzuWideStrings& other) {
    UpdateScope scope(*this);
    // Snapshot first: other may be this list.
    int n = other.Count();
    std::vector<std::pair<std::u16string, TzuPersistent*>> lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i) lines.emplace_back(other.Get(i), other.GetObject(i));
    for (auto& [s, obj] : lines) AddObject(s, obj);
}

void TzuWideStrings::Exchange(int index1, int index2) {
    UpdateScope scope(*this);
    std::u16string s1 = Get(index1), s2 = Get(index2);
    TzuPersistent* o1 = GetObject(index1);
    TzuPersistent* o2 = GetObject(index2);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
}

void TzuWideStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (newIndex < 0 || newIndex >= Count()) IndexError();
    UpdateScope scope(*this);
    std::u16string s = Get(curIndex);
    TzuPersistent* obj = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, obj);
}

int TzuWideStrings::IndexOf(std::u16string_view s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TzuWideStrings::IndexOfObject(const TzuPersistent* obj) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (GetObject(i) == obj) return i;
    return -1;
}

std::u16string TzuWideStrings::Name(int index) const {
    std::u16string s = Get(index);
    size_t eq = s.find(u'=');
    return eq == std::u16string::npos ? std::u16string() : s.substr(0, eq);
}

std::u16string TzuWideStrings::ValueFromIndex(int index) const {
    std::u16string s = Get(index);
    size_t eq = s.find(u'=');
    return eq == std::u16string::npos ? std::u16string() : s.substr(eq + 1);
}

int TzuWideStrings::IndexOfName(std::u16string_view name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        std::u16string s = Get(i);
        size_t eq = s.find(u'=');
        if (eq != std::u16string::npos && CompareStrings(std::u16string_view(s).substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::u16string TzuWideStrings::Value(std::u16string_view name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::u16string() : ValueFromIndex(i);
}

void TzuWideStrings::SetValue(std::u16string_view name, const std::u16string& value) {
    int i = IndexOfName(name);
    std::u16string line = std::u16string(name) + u"=" + value;
    if (!value.empty()) {
        if (i < 0)
            Add(line);
        else
            Put(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

std::u16string TzuWideStrings::Text() const {
    std::u16string text;
    for (int i = 0, n = Count(); i < n; ++i) {
        text += Get(i);
        text += u'\n';
    }
    return text;
}

void TzuWideStrings::SetText(std::u16string_view text) {
    UpdateScope scope(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) end = text.size();
        Add(std::u16string(text.substr(start, end - start)));
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
}

std::vector<std::u16string> TzuWideStrings::ToVector() const {
    std::vector<std::u16string> lines;
    lines.reserve(Count());
    for (int i = 0, n = Count(); i < n; ++i) lines.push_back(Get(i));
    return lines;
}

int TzuWideStrings::CompareStrings(std::u16string_view a, std::u16string_view b) const {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = m_caseSensitive ? a[i] : FoldCase(a[i]);
        char16_t y = m_caseSensitive ? b[i] : FoldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void TzuWideStrings::BeginUpdate() {
    if (m_updateCount++ == 0) SetUpdateState(true);
}

void TzuWideStrings::EndUpdate() {
    // An unmatched EndUpdate must not leave the count negative and silence the list.
    if (m_updateCount == 0) return;
    if (--m_updateCount == 0) SetUpdateState(false);
}

bool TzuWideStrings::Equals(const TzuWideStrings& other) const {
    int n = Count();
    if (n != other.Count()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TzuWideStrings::Assign(const TzuPersistent& source) {
    const auto* other = As<TzuWideStrings>(&source);
    if (!other) {
        TzuPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    UpdateScope scope(*this);
    Clear();
    AddStrings(*other);
}

void TzuWideStrings::ReadStrings(const TzuStreamValue& value) {
    const auto* lines = std::get_if<std::vector<std::u16string>>(&value);
    if (!lines) throw EzuError("Invalid property value");
    UpdateScope scope(*this);
    Clear();
    for (const auto& s : *lines) Add(s);
}

TzuStreamValue TzuWideStrings::WriteStrings() const { return ToVector(); }

// ---- TzuWideStringList ----

const TzuClass& TzuWideStringList::StaticClass() {
    static const TzuClass cls = ZuClass<TzuWideStringList, TzuWideStrings>("TzuWideStringList");
    return cls;
}

void TzuWideStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) IndexError();
}

std::u16string TzuWideStringList::Get(int index) const {
    CheckIndex(index, Count());
    return m_items[index].text;
}

void TzuWideStringList::Put(int index, const std::u16string& s) {
    if (m_sorted) throw EzuError("sorted list error");
    CheckIndex(index, Count());
    Changing();
    m_items[index].text = s;
    Changed();
}

TzuPersistent* TzuWideStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return m_items[index].object;
}

void TzuWideStringList::PutObject(int index, TzuPersistent* obj) {
    CheckIndex(index, Count());
    Changing();
    m_items[index].object = obj;
    Changed();
}

void TzuWideStringList::Clear() {
    if (m_items.empty()) return;
    Changing();
    m_items.clear();
    Changed();
}

void TzuWideStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TzuWideStringList::Insert(int index, const std::u16string& s) {
    if (m_sorted) throw EzuError("sorted list error");
    CheckIndex(index, Count() + 1);
    InsertItem(index, s, nullptr);
}

void TzuWideStringList::InsertItem(int index, const std::u16string& s, TzuPersistent* obj) {
    Changing();
    m_items.insert(m_items.begin() + index, Item{s, obj});
    Changed();
}

int TzuWideStringList::Add(const std::u16string& s) { return AddObject(s, nullptr); }

int TzuWideStringList::AddObject(const std::u16string& s, TzuPersistent* obj) {
    int index = Count();
    if (m_sorted && Find(s, index)) {
        if (m_duplicates == zuDupIgnore) return index;
        if (m_duplicates == zuDupError) throw EzuError("Doublicate string");
    }
    InsertItem(index, s, obj);
    return index;
}

void TzuWideStringList::Exchange(int index1, int index2) {
    if (m_sorted) throw EzuError("sorted list error");
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(m_items[index1], m_items[index2]);
    Changed();
}

void TzuWideStringList::Move(int curIndex, int newIndex) {
    if (m_sorted) throw EzuError("sorted list error");
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    if (curIndex == newIndex) return;
    Changing();
    auto first = m_items.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
    Changed();
}

int TzuWideStringList::IndexOf(std::u16string_view s) const {
    if (!m_sorted) return TzuWideStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TzuWideStringList::Find(std::u16string_view s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = CompareStrings(m_items[mid].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) found = true;
        }
    }
    index = lo;
    return found;
}

void TzuWideStringList::SortItems(const std::function<int(const TzuWideStringList&, int, int)>& compare) {
    if (Count() < 2) return;
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    // The list stays untouched while sorting, so compare sees the original indices.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(m_items.size());
    for (int i : order) sorted.push_back(std::move(m_items[i]));
    Changing();
    m_items = std::move(sorted);
    Changed();
}

void TzuWideStringList::Sort() {
    CustomSort([](const TzuWideStringList& l, int a, int b) {
        return l.CompareStrings(l.m_items[a].text, l.m_items[b].text);
    });
}

void TzuWideStringList::CustomSort(const std::function<int(const TzuWideStringList&, int, int)>& compare) {
    // A sorted list is already in order.
    if (!m_sorted) SortItems(compare);
}

void TzuWideStringList::SetSorted(bool value) {
    if (value == m_sorted) return;
    if (value) Sort();
    m_sorted = value;
}

void TzuWideStringList::SetCaseSensitive(bool value) {
    if (value == CaseSensitive()) return;
    TzuWideStrings::SetCaseSensitive(value);
    if (m_sorted) {
        m_sorted = false;
        Sort();
        m_sorted = true;
    }
}

void TzuWideStringList::SetUpdateState(bool updating) {
    if (updating) {
        m_changingSent = false;
        m_changePending = false;
    } else if (m_changePending) {
        m_changePending = false;
        if (m_onChange) m_onChange(this);
    }
}

void TzuWideStringList::Changing() {
    if (UpdateCount() > 0) {
        if (m_changingSent) return;
        m_changingSent = true;
    }
    if (m_onChanging) m_onChanging(this);
}

void TzuWideStringList::Changed() {
    if (UpdateCount() > 0)
        m_changePending = true;
    else if (m_onChange)
        m_onChange(this);
}

}  // namespace zu
