#pragma once
// Greek for the words Qt itself shows in the program's save dialog: its
// labels, buttons, tool tips and menu, the file list's headings, and the
// question before a file is replaced. Debian ships no Greek translation of
// Qt's own texts (qt6-translations-l10n has none for Greek), so the program
// carries these few.

#include <QTranslator>

namespace halvorn {

class TQtGreek : public QTranslator {
 public:
  using QTranslator::QTranslator;

  // The Greek for Qt's text `sourceText` of class `context`; empty for a
  // text it does not know, which Qt then shows as it is. Qt's "OK" is one:
  // the error box keeps its "OK", as the message dialog's has.
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override;
  bool isEmpty() const override { return false; }
};

}  // namespace halvorn
