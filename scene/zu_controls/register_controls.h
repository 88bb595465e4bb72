#pragma once

namespace zu {

// Registers the styled control classes for the stream and scene-editing tools.
void RegisterControlClasses();

}  // namespace zu
