#include "scene/zu_scene/types/translate.h"

namespace zu {
namespace {

struct TranslateState {
    std::unique_ptr<TzuWideStrings> collector;
    std::unique_ptr<TzuWideStringList> dictionary;
    bool reverse = false;
};

TranslateState& State() {
    static TranslateState state;
    return state;
}

}  // namespace

std::u16string Translate(std::u16string_view text) {
    if (text.empty()) return {};
    TranslateState& st = State();
    std::u16string original(text);
    if (st.collector) st.collector->Add(original);
    std::u16string result;
    if (const TzuWideStringList* dict = st.dictionary.get()) {
        if (!st.reverse) {
            result = dict->Value(text);
        } else {
            for (int i = 0, n = dict->Count(); i < n; ++i) {
                std::u16string line = dict->Get(i);
                size_t eq = line.find(u'=');
                if (eq != std::u16string::npos &&
                    dict->CompareStrings(std::u16string_view(line).substr(eq + 1), text) == 0) {
                    result = line.substr(0, eq);
                    break;
                }
            }
        }
    }
    return result.empty() ? original : result;
}

TzuWideStrings* TranslateCollector() { return State().collector.get(); }
void SetTranslateCollector(std::unique_ptr<TzuWideStrings> collector) {
    State().collector = std::move(collector);
}
TzuWideStringList* TranslateDictionary() { return State().dictionary.get(); }
void SetTranslateDictionary(std::unique_ptr<TzuWideStringList> dictionary) {
    State().dictionary = std::move(dictionary);
}
bool TranslateReverse() { return State().reverse; }
void SetTranslateReverse(bool reverse) { State().reverse = reverse; }

}  // namespace zu
