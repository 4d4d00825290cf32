// The faces and the coats of arms: the layer strips, generic faces and overlays of the portraits, the
// shields' icons, frames and masks, and the three palettes they are drawn in.
#pragma once

#include "data_writer.h"

namespace datagen {

// The frames of each layer's strips (128 pixels a frame), in the order heads, eyes, noses, mouths,
// hairs, ears, misc; the heads have 40 so that a pair above the count wraps round.
inline constexpr int kPortraitLayerFrames[7] = { 40, 12, 10, 10, 16, 6, 8 };

// "gfx\portraits\": 28 layer strips, 4 generic faces, the 14 overlays; "gfx\palette\portraits.bmp".
void WritePortraitFiles(const Context& context);

// "gfx\coa\": an icon per country tag, the tier and people frames, the masks and the quarter frame;
// the flag underlay and overlay of "gfx\interface\"; "gfx\palette\coa.bmp" and "mask.bmp".
void WriteArmsFiles(const Context& context);

} // namespace datagen
