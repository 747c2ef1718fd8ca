#pragma once
#include <exception>
#include <string>

namespace halvorn {

// Root of the framework's exception hierarchy: every failure the program
// reports to the user is one of these, shown by the error box.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Silent abort: the message loop drops it without showing anything.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

// Floating-point failures: the trapped conditions of the FPU, and the
// statistics' refusal to compute a p value from a failed continued fraction.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

// The continued fraction of the incomplete beta function did not converge,
// so no p value can be given.
class EPValueUndefined : public EMathError {
 public:
  EPValueUndefined()
      : EMathError(
            "The p value could not be computed: the incomplete beta function did not converge") {}
};

// Index errors of the framework's lists.
class EListError : public Exception {
 public:
  using Exception::Exception;
  static EListError IndexOutOfBounds(int index);
};

// A value or pattern that cannot be converted (number formatting).
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be read or written.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// An operation refused because the object's state does not allow it
// (for example a scroll bar maximum below its minimum).
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// The text the error box shows for a message: a "." is appended when the
// message is not empty and its last character's code is above that of ".",
// so "Floating point division by zero" gains a period and "Done!" does not.
std::string ErrorBoxText(const std::string& message);

}  // namespace halvorn
