// Random sequences of drawing calls on bitmaps of every small size, with
// coordinates across the whole int range: nothing is written outside the
// bitmap or outside the clip.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <climits>
#include <sstream>

#include "tests/property/CanvasSurface.h"
#include "tests/property/Generators.h"

namespace halvorn::testing {
namespace {

// Mostly coordinates in and around the bitmap, often any int, sometimes the
// extremes where negation and extents overflow.
rc::Gen<int> Coordinate() {
  return rc::gen::weightedOneOf<int>({{5, Uniform(-8, 56)},
                                      {3, AnyValue<int>()},
                                      {2, rc::gen::element(INT_MIN, INT_MIN + 1, -65536, -32768,
                                                           32767, 65536, INT_MAX - 1, INT_MAX)}});
}

rc::Gen<TCanvasOp> Operation() {
  const auto values = rc::gen::container<std::vector<int>>(8, Coordinate());
  const auto points = rc::gen::resize(
      12, rc::gen::container<std::vector<TPoint>>(rc::gen::build<TPoint>(
              rc::gen::set(&TPoint::X, Coordinate()), rc::gen::set(&TPoint::Y, Coordinate()))));
  return rc::gen::build<TCanvasOp>(
      rc::gen::set(&TCanvasOp::Kind, rc::gen::cast<TCanvasOpKind>(
                                         Uniform(0, static_cast<int>(TCanvasOpKind::Count)))),
      rc::gen::set(&TCanvasOp::V, rc::gen::map(values,
                                               [](const std::vector<int>& v) {
                                                 std::array<int, 8> a{};
                                                 std::copy(v.begin(), v.end(), a.begin());
                                                 return a;
                                               })),
      rc::gen::set(&TCanvasOp::Value, AnyValue<std::uint32_t>()),
      rc::gen::set(&TCanvasOp::Points, points),
      rc::gen::set(&TCanvasOp::Text,
                   rc::gen::resize(8, rc::gen::container<std::string>(AnyValue<char>()))));
}

RC_GTEST_PROP(CanvasProperty, NothingIsWrittenOutsideTheBitmapOrTheClip, ()) {
  const int width = *Uniform(0, 49);
  const int height = *Uniform(0, 49);
  const bool monochrome = *rc::gen::weightedElement<bool>({{1, true}, {4, false}});
  const auto ops = *rc::gen::resize(40, rc::gen::container<std::vector<TCanvasOp>>(Operation()));
  TCanvasSurface surface(width, height, monochrome);
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const std::string fault = surface.Apply(ops[i]);
    if (!fault.empty()) {
      std::ostringstream where;
      where << fault << " by call " << i << ", " << ops[i] << ", on " << width << "x" << height;
      RC_FAIL(where.str());
    }
  }
}

}  // namespace
}  // namespace halvorn::testing
