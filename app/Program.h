#pragma once
// The program's start-up, message loop and shutdown, callable from main and
// from the tests and benchmarks that run the program in a process of their
// own.

#include <functional>

namespace halvorn {

class TApplication;
class TMF;

// Points where a test or benchmark may look in or interfere; the program
// itself sets none.
struct TProgramHooks {
  // After the application object exists and its title is set, before the
  // main window is created.
  std::function<void(TApplication&)> Started;
  // After the main window is created, before the message loop runs.
  std::function<void(TMF&)> MainFormCreated;
};

// In this order: the application object; Greek for Qt's own texts; the
// random source seeded with 1;
// the locale's number format; the title "Halvorn"; the message windows;
// the main window; the message loop until the main window closes. An
// Exception from any step is shown in the error box (on standard error when
// there is no application to show it with). Returns the exit code, 0.
int RunProgram(int argc, char** argv, const TProgramHooks& hooks = {});

}  // namespace halvorn
