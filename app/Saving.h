#pragma once
// The windows' file dialogs, and the one way a failed save is reported to
// the user.

#include <string>
#include <vector>

#include "platform/raster/RasterBitmap.h"

class QWidget;

namespace halvorn {

// Asks for the file to save to with Qt's own save dialog; empty when the
// user cancels. Qt's dialog rather than the desktop's: it speaks the
// program's Greek (TQtGreek) under any desktop and whatever the user's
// locale, where a desktop's dialog would follow the locale, and it behaves
// the same headless.
std::string AskSavePath(QWidget* owner, const char* caption, const char* fileName,
                        const char* filter);
// The same offering several file types (`filters`, the first chosen at
// first); `chosen` receives the one chosen.
std::string AskSavePath(QWidget* owner, const char* caption, const char* fileName,
                        const std::vector<std::string>& filters, std::string* chosen);

// Asks for a file to open, of the types of `filters` (the first chosen at
// first); empty when the user cancels. Qt's dialog, for the reasons above.
std::string AskOpenPath(QWidget* owner, const char* caption,
                        const std::vector<std::string>& filters);

// The message of a save that failed, in the program's language:
// "Δεν ήταν δυνατή η αποθήκευση του αρχείου «PATH»: REASON". The reason is
// the system's or Qt's words.
std::string SaveFailureText(const std::string& path, const std::string& reason);

// Writes the picture as PNG; a failure raises EInOutError with
// SaveFailureText.
void SavePicture(const TRasterBitmap& picture, const std::string& path);

}  // namespace halvorn
