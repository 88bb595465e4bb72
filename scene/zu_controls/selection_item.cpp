#include "scene/zu_controls/selection_item.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuSelectionItem::StaticClass() {
    using P = ZuProps<TzuSelectionItem>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuSelectionItem::HitTest, &TzuSelectionItem::SetHitTest>("HitTest").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuSelectionItem, TzuControl>("TzuSelectionItem", props);
    return cls;
}

}  // namespace zu
