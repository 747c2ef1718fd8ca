#include "platform/runtime/MessageSinks.h"

#include <cstdio>

#include "platform/runtime/Format.h"

namespace halvorn {
namespace {

void WriteToStandardError(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

MessageSink& MathErrorSink() {
  static MessageSink sink;
  return sink;
}

MessageSink& ModalMessageSink() {
  static MessageSink sink;
  return sink;
}

thread_local bool silent = false;

void Deliver(const MessageSink& sink, const std::string& text) {
  if (sink)
    sink(text);
  else
    WriteToStandardError(text);
}

}  // namespace

MessageSink SetMathErrorSink(MessageSink sink) {
  MessageSink previous = std::move(MathErrorSink());
  MathErrorSink() = std::move(sink);
  return previous;
}

void ReportMathError(std::string_view function, std::string_view kind) {
  if (silent) return;
  const std::string f(function), k(kind);
  Deliver(MathErrorSink(), Fmt("%s: %s error", f.c_str(), k.c_str()));
}

MessageSink SetModalMessageSink(MessageSink sink) {
  MessageSink previous = std::move(ModalMessageSink());
  ModalMessageSink() = std::move(sink);
  return previous;
}

void ShowModalMessage(const std::string& text) {
  if (!silent) Deliver(ModalMessageSink(), text);
}

TSilentMessages::TSilentMessages() : previous_(silent) { silent = true; }
TSilentMessages::~TSilentMessages() { silent = previous_; }

}  // namespace halvorn
