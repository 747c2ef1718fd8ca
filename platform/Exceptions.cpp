#include "platform/Exceptions.h"

#include "platform/Format.h"

namespace halvorn {

EListError EListError::IndexOutOfBounds(int index) {
  return EListError(Fmt("List index out of bounds (%d)", index));
}

}  // namespace halvorn
