#pragma once
// The program's message windows. Each is modal: it returns when the user
// has closed it.

#include <string>

namespace halvorn {

// The error box for an exception message: a message box with an error icon
// and one OK button, captioned with the application title, owned by the main
// form when that is shown. The text is ErrorBoxText(message).
void ShowErrorBox(const std::string& message);

// The modal message dialog: the application title as caption, no icon, the
// text word-wrapped, one "OK" button; centred on the screen.
void ShowMessageDialog(const std::string& text);

// The runtime's mathematical error box: a message box with an error icon and
// one OK button, captioned with the base name of the executable file.
void ShowMathErrorBox(const std::string& text);

// Routes the simulation's modal messages to ShowMessageDialog and the
// runtime's mathematical errors to ShowMathErrorBox.
void ConnectMessageWindows();

}  // namespace halvorn
