#include "app/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/Saving.h"
#include "platform/runtime/Exceptions.h"

namespace halvorn {

void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  const std::string temporary = path + ".part";
  std::ofstream out(temporary, std::ios::out | std::ios::trunc);
  if (out) write(out);
  out.close();
  if (!out || std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary.c_str());
    throw EInOutError(SaveFailureText(path, reason));
  }
}

}  // namespace halvorn
