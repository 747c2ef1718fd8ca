#include "platform/raster/PngWriter.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {

std::string WritePng(const TRasterBitmap& bitmap, const std::string& path) {
  if (bitmap.Width() == 0 || bitmap.Height() == 0) return "the bitmap is empty";
  const QImage view(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                    bitmap.BytesPerLine(), QImage::Format_RGB32);
  const QImage image =
      bitmap.Monochrome() ? view.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither) : view;
  QImageWriter writer(QString::fromStdString(path), "png");
  if (writer.write(image)) return {};
  const std::string reason = writer.errorString().toStdString();
  return reason.empty() ? "unknown error" : reason;
}

void SaveToPng(const TRasterBitmap& bitmap, const std::string& path) {
  const std::string reason = WritePng(bitmap, path);
  if (!reason.empty()) throw EInOutError(Fmt("Cannot write %s: %s", path.c_str(), reason.c_str()));
}

}  // namespace halvorn
