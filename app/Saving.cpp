#include "app/Saving.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/raster/PngWriter.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {
namespace {

QStringList FilterList(const std::vector<std::string>& filters) {
  QStringList list;
  for (const std::string& filter : filters) list << QString::fromStdString(filter);
  return list;
}

}  // namespace

std::string AskSavePath(QWidget* owner, const char* caption, const char* fileName,
                        const char* filter) {
  return AskSavePath(owner, caption, fileName, std::vector<std::string>{filter}, nullptr);
}

std::string AskSavePath(QWidget* owner, const char* caption, const char* fileName,
                        const std::vector<std::string>& filters, std::string* chosen) {
  const QStringList list = FilterList(filters);
  QString selected = list.isEmpty() ? QString() : list.front();
  const QString path =
      QFileDialog::getSaveFileName(owner, QString::fromUtf8(caption), QString::fromUtf8(fileName),
                                   list.join(";;"), &selected, QFileDialog::DontUseNativeDialog);
  if (chosen) *chosen = selected.toStdString();
  return path.toStdString();
}

std::string AskOpenPath(QWidget* owner, const char* caption,
                        const std::vector<std::string>& filters) {
  return QFileDialog::getOpenFileName(owner, QString::fromUtf8(caption), QString(),
                                      FilterList(filters).join(";;"), nullptr,
                                      QFileDialog::DontUseNativeDialog)
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
