#include "platform/runtime/Exceptions.h"

#include "platform/runtime/Format.h"

namespace halvorn {

EListError EListError::IndexOutOfBounds(int index) {
  return EListError(Fmt("List index out of bounds (%d)", index));
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace halvorn
