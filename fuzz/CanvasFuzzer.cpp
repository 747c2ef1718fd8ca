// The device context driven by a byte stream: the stream is decoded into a
// bitmap size and drawing calls, and after every call nothing may have been
// written outside the bitmap or outside the clip.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "tests/property/CanvasSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace halvorn::testing;
  const TCanvasScript script = DecodeCanvasScript(data, size);
  TCanvasSurface surface(script.Width, script.Height, script.Monochrome);
  for (const TCanvasOp& op : script.Ops) {
    const std::string fault = surface.Apply(op);
    if (!fault.empty()) {
      std::cerr << fault << " by " << op << " on " << script.Width << "x" << script.Height << '\n';
      std::abort();
    }
  }
  return 0;
}
