#pragma once
// The one idiom of the chart engine's property writers: compare, store, and
// only for a real change request the repaint (or tell a listener), so that
// writing a property's current value costs nothing.

#include <utility>

namespace halvorn {

// Stores value in field when the two differ and answers whether it did;
// the caller follows a true answer with its change notification.
template <typename T, typename V>
[[nodiscard]] constexpr bool StoreIfChanged(T& field, V&& value) {
  if (field == value) return false;
  field = std::forward<V>(value);
  return true;
}

}  // namespace halvorn
