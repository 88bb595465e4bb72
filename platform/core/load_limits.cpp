#include "platform/core/load_limits.h"

namespace zu {

namespace {
thread_local int t_depth = 0;
thread_local int64_t t_pixels = 0;
}  // namespace

TzuLoadScope::TzuLoadScope() {
    if (t_depth++ == 0) t_pixels = 0;
}

TzuLoadScope::~TzuLoadScope() {
    if (--t_depth == 0) t_pixels = 0;
}

bool InLoad() { return t_depth > 0; }

void ChargeLoadPixels(int64_t pixels, int64_t budget) {
    if (t_depth == 0 || pixels <= 0) return;
    if (pixels > budget - t_pixels) {
        throw EzuLimitError("the images of one load hold more than " + std::to_string(budget) + " pixels");
    }
    t_pixels += pixels;
}

}  // namespace zu
