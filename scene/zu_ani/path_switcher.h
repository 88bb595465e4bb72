#pragma once
// TzuPathSwitcher keeps two path texts and a property name for styles that switch a
// shape's path by state; it runs as an animation but writes nothing itself.

#include <string>

#include "scene/zu_scene/tree/animation.h"

namespace zu {

class TzuPathSwitcher : public TzuAnimation {
    ZU_CLASS(TzuPathSwitcher)
public:
    explicit TzuPathSwitcher(TzuComponent* owner);

    const std::string& PathTrue() const { return m_pathTrue; }
    void SetPathTrue(const std::string& value) { m_pathTrue = value; }
    const std::string& PathFalse() const { return m_pathFalse; }
    void SetPathFalse(const std::string& value) { m_pathFalse = value; }

private:
    std::string m_pathTrue;
    std::string m_pathFalse;
};

}  // namespace zu
