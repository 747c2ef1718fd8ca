#pragma once
// Where the simulation's user-facing messages go. The application connects
// the sinks to its message windows; the command-line tool to standard error;
// tests to recorders. Without a connection a message is written to standard
// error, so nothing is ever lost silently.

#include <functional>
#include <string>
#include <string_view>

namespace halvorn {

using MessageSink = std::function<void(const std::string& text)>;

// The runtime's mathematical error box ("sqrt: DOMAIN error").
MessageSink SetMathErrorSink(MessageSink sink);  // returns the previous sink
void ReportMathError(std::string_view function, std::string_view kind);

// The modal message dialog used by the statistics routines.
MessageSink SetModalMessageSink(MessageSink sink);  // returns the previous sink
void ShowModalMessage(const std::string& text);

// While one of these lives, messages raised on its thread are dropped. A
// computation that judges many Runs off the GUI thread counts a failed Run as
// an outcome: it shows no message, and never reaches the sinks, which belong
// to the GUI thread.
class TSilentMessages {
 public:
  TSilentMessages();
  ~TSilentMessages();
  TSilentMessages(const TSilentMessages&) = delete;
  TSilentMessages& operator=(const TSilentMessages&) = delete;

 private:
  bool previous_;
};

// Connects a sink for the lifetime of the guard and restores the previous one.
class ScopedMessageSink {
 public:
  using Setter = MessageSink (*)(MessageSink);
  ScopedMessageSink(Setter setter, MessageSink sink)
      : setter_(setter), previous_(setter(std::move(sink))) {}
  ~ScopedMessageSink() { setter_(std::move(previous_)); }
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  Setter setter_;
  MessageSink previous_;
};

}  // namespace halvorn
