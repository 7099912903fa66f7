// Start-up defaults written into the zero image on the first activation.
#pragma once
#include "image/MemoryImage.h"

namespace orv {
void writeGlobalDefaults(MemoryImage& img);
void writeGroupDefaults(MemoryImage& img, int g);
// The image `orvedit-cli new` writes: zero image + all defaults.
MemoryImage defaultImage();
}  // namespace orv
