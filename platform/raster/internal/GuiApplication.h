#pragma once

namespace halvorn {

// Qt's font engine needs a QGuiApplication. The program creates its own
// QApplication before anything is drawn, and then this does nothing; the
// command-line tool and the tests, which have no window, get one made here
// on first use of text, which lives as long as the process. Without
// QT_QPA_PLATFORM set, that one uses the offscreen platform, so no display
// is needed.
void EnsureGuiApplication();

}  // namespace halvorn
