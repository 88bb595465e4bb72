#pragma once
// Start-up registration of the effect classes under "Effects".

namespace zu {

void RegisterEffectClasses();

}  // namespace zu
