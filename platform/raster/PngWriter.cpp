#include "platform/raster/PngWriter.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include "platform/runtime/Exceptions.h"
#include "platform/runtime/Format.h"

namespace halvorn {

void SaveToPng(const TRasterBitmap& bitmap, const std::string& path) {
  if (bitmap.Width() == 0 || bitmap.Height() == 0)
    throw EInOutError(Fmt("Cannot write %s: the bitmap is empty", path.c_str()));
  const QImage view(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                    bitmap.BytesPerLine(), QImage::Format_RGB32);
  const QImage image =
      bitmap.Monochrome() ? view.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither) : view;
  QImageWriter writer(QString::fromStdString(path), "png");
  if (!writer.write(image))
    throw EInOutError(
        Fmt("Cannot write %s: %s", path.c_str(), writer.errorString().toStdString().c_str()));
}

}  // namespace halvorn
