#include "app/Saving.h"

#include <QFileDialog>
#include <QString>

#include "platform/raster/PngWriter.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

std::string AskSavePath(QWidget* owner, const char* caption, const char* fileName,
                        const char* filter) {
  return QFileDialog::getSaveFileName(owner, QString::fromUtf8(caption),
                                      QString::fromUtf8(fileName), QString::fromUtf8(filter),
                                      nullptr, QFileDialog::DontUseNativeDialog)
      .toStdString();
}

std::string SaveFailureText(const std::string& path, const std::string& reason) {
  return "Δεν ήταν δυνατή η αποθήκευση του αρχείου «" + path + "»: " + reason;
}

void SavePicture(const TRasterBitmap& picture, const std::string& path) {
  const std::string reason = WritePng(picture, path);
  if (!reason.empty()) throw EInOutError(SaveFailureText(path, reason));
}

}  // namespace halvorn
