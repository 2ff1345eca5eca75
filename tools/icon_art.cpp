#include "tools/icon_art.h"

#include "tools/treasure_art.h"

namespace {
constexpr Rgb kDeepSea{16, 58, 110};
constexpr Rgb kShallowSea{38, 128, 186};
constexpr Rgb kRim{236, 196, 92};
}  // namespace

Canvas MakeIcon(int size) {
    Canvas icon(size, size);
    const float s = static_cast<float>(size);
    const float rim = s < 24 ? 1.0f : s / 24.0f;
    icon.FillRoundRect(0, 0, s, s, s * 0.2f, kRim);
    icon.FillRoundRect(rim, rim, s - 2 * rim, s - 2 * rim, s * 0.18f, kDeepSea);
    icon.FillEllipse(s * 0.5f, s * 0.42f, s * 0.36f, s * 0.3f, kShallowSea, 0.7f);
    DrawChest(icon, s * 0.5f, s * 0.58f, s * 0.72f, true);
    return icon;
}
