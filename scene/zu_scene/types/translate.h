#pragma once
// The text translation hook: controls pass captions and hints through Translate. An
// application may install a collector (every text passing through is added to it, to
// gather what needs translating) and a dictionary of "original=translated" lines. Both
// are owned by the hook and freed at exit; nothing is installed by default.

#include <memory>
#include <string>
#include <string_view>

#include "scene/zu_scene/types/wide_strings.h"

namespace zu {

// Returns the dictionary's translation of text, or text itself when there is none. With
// the reverse flag, looks the text up among the translations and returns the original.
std::u16string Translate(std::u16string_view text);

TzuWideStrings* TranslateCollector();
void SetTranslateCollector(std::unique_ptr<TzuWideStrings> collector);
TzuWideStringList* TranslateDictionary();
void SetTranslateDictionary(std::unique_ptr<TzuWideStringList> dictionary);
bool TranslateReverse();
void SetTranslateReverse(bool reverse);

}  // namespace zu
