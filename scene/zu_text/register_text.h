#pragma once

namespace zu {

// Registers the text editing classes (text boxes, number and spin boxes, memos).
void RegisterTextClasses();

}  // namespace zu
