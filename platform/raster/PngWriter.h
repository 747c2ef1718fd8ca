#pragma once
#include <string>

#include "platform/raster/RasterBitmap.h"

namespace halvorn {

// Writes the bitmap as a PNG file (one bit per pixel for a monochrome
// bitmap). Returns the empty string when the file was written, otherwise
// why it was not (an empty bitmap included), for the caller to phrase in its
// own language.
std::string WritePng(const TRasterBitmap& bitmap, const std::string& path);

// WritePng that throws EInOutError ("Cannot write PATH: REASON") when the
// file cannot be written.
void SaveToPng(const TRasterBitmap& bitmap, const std::string& path);

}  // namespace halvorn
