#pragma once
// Writing a whole text file so that a failure leaves an existing file as
// it was.

#include <functional>
#include <ostream>
#include <string>

namespace halvorn {

// Writes through `write` into a file beside `path`, then renames it over
// `path`. A failed write raises EInOutError with SaveFailureText; nothing of it
// is left behind.
void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace halvorn
