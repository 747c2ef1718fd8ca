#pragma once
#include <string>

#include "platform/raster/RasterBitmap.h"

namespace halvorn {

// Writes the bitmap as a PNG file (one bit per pixel for a monochrome
// bitmap). Throws EInOutError when the file cannot be written, an empty
// bitmap included.
void SaveToPng(const TRasterBitmap& bitmap, const std::string& path);

}  // namespace halvorn
