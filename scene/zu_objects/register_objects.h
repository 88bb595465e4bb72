#pragma once
// Start-up registration of the shape classes under "Shapes".

namespace zu {

void RegisterObjectClasses();

}  // namespace zu
