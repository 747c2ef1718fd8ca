#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>

#include "platform/runtime/FloatOps.h"

namespace halvorn {
namespace {

constexpr Extended kInf = std::numeric_limits<Extended>::infinity();
constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

enum class Trap { None, ZeroDivide, Invalid, Overflow };

Trap TrapOf(const std::function<void()>& op) {
  try {
    op();
  } catch (const EZeroDivide&) {
    return Trap::ZeroDivide;
  } catch (const EInvalidOp&) {
    return Trap::Invalid;
  } catch (const EOverflow&) {
    return Trap::Overflow;
  }
  return Trap::None;
}

struct DivCase {
  const char* name;
  Extended a, b;
  Trap trap;
};

TEST(FloatOps, DivisionTrapsLikeTheFpu) {
  const DivCase cases[] = {
      {"finite over zero", 1.5L, 0.0L, Trap::ZeroDivide},
      {"negative over negative zero", -2.0L, -0.0L, Trap::ZeroDivide},
      {"zero over zero", 0.0L, 0.0L, Trap::Invalid},
      {"infinity over infinity", kInf, -kInf, Trap::Invalid},
      {"infinity over zero gives infinity", kInf, 0.0L, Trap::None},
      {"NaN over zero passes quietly", kNaN, 0.0L, Trap::None},
      {"finite over NaN passes quietly", 1.0L, kNaN, Trap::None},
      {"ordinary division", 1.0L, 4.0L, Trap::None},
  };
  for (const auto& c : cases) EXPECT_EQ(TrapOf([&] { (void)FDiv(c.a, c.b); }), c.trap) << c.name;
  EXPECT_EQ(FDiv(1.0L, 4.0L), 0.25L);
}

TEST(FloatOps, StoresOverflowOnlyForFiniteValuesTooLarge) {
  EXPECT_EQ(TrapOf([] { (void)ToSingle(static_cast<Extended>(FLT_MAX) * 2); }), Trap::Overflow);
  EXPECT_EQ(TrapOf([] { (void)ToDouble(static_cast<Extended>(DBL_MAX) * 2); }), Trap::Overflow);
  EXPECT_EQ(TrapOf([] { (void)ToSingle(kInf); }), Trap::None);
  EXPECT_TRUE(std::isnan(ToSingle(kNaN)));
  // Underflow is masked: a tiny value stores as zero or a denormal.
  EXPECT_EQ(ToSingle(1e-60L), 0.0f);
  // Rounding to single happens at the store: 1 + 2^-30 is not a float.
  EXPECT_EQ(ToSingle(1.0L + 0x1p-30L), 1.0f);
}

TEST(FloatOps, OrderedComparisonsWithNaNAreInvalid) {
  const std::function<bool(Extended, Extended)> comparisons[] = {FLess, FLessEq, FGreater,
                                                                 FGreaterEq, FEqual};
  for (const auto& cmp : comparisons) {
    EXPECT_EQ(TrapOf([&] { (void)cmp(kNaN, 0); }), Trap::Invalid);
    EXPECT_EQ(TrapOf([&] { (void)cmp(0, kNaN); }), Trap::Invalid);
  }
  EXPECT_TRUE(FLess(1, 2));
  EXPECT_FALSE(FGreater(1, 2));
  EXPECT_TRUE(FEqual(-0.0L, 0.0L));
}

TEST(FloatOps, IntegerConversionRoundsHalfToEvenAndTrapsOutOfRange) {
  const struct {
    Extended v;
    std::int64_t round, trunc;
  } cases[] = {{0.5L, 0, 0}, {1.5L, 2, 1}, {2.5L, 2, 2}, {-2.5L, -2, -2}, {-2.6L, -3, -2}};
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.v), c.round) << static_cast<double>(c.v);
    EXPECT_EQ(Trunc(c.v), c.trunc) << static_cast<double>(c.v);
  }
  EXPECT_EQ(TrapOf([] { (void)Round(kNaN); }), Trap::Invalid);
  EXPECT_EQ(TrapOf([] { (void)Trunc(kInf); }), Trap::Invalid);
  EXPECT_EQ(TrapOf([] { (void)Round(1e19L); }), Trap::Invalid);
}

// Doubles round as the same values in extended precision do, on both sides
// of the magnitude where the quick rounding ends.
TEST(FloatOps, DoublesRoundAsExtendedValues) {
  const double cases[] = {
      0.5,       -0.5,         1.5,           2.5,        -2.5,       -2.6,    0.49999999999999994,
      1e9 + 0.5, 0x1p51 - 0.5, -0x1p51 + 0.5, 0x1p51 + 1, 0x1p52 + 2, -0x1p62, 0.0,
      -0.0};
  for (const double v : cases) EXPECT_EQ(Round(v), Round(static_cast<Extended>(v))) << v;
  EXPECT_EQ(TrapOf([] { (void)Round(std::nan("")); }), Trap::Invalid);
  EXPECT_EQ(TrapOf([] { (void)Round(1e19); }), Trap::Invalid);
}

// Pixel positions: every quarter over the pixel range, halves included, and
// the quotients of integers that minor ticks round (k of m + 1 parts of d
// pixels), in double as in extended precision.
TEST(FloatOps, PixelPositionsRoundInDoubleAsInExtended) {
  int mismatches = 0;
  const auto check = [&](double v, Extended exact) {
    if (Round(v) != Round(exact) && ++mismatches <= 5) ADD_FAILURE() << v;
  };
  for (int q = -40000; q <= 40000; ++q) check(q / 4.0, std::nearbyint(q / 4.0L));
  for (int m = 1; m <= 9; ++m)
    for (int k = 0; k <= m + 1; ++k)
      for (int d = -3000; d <= 3000; ++d)
        check(static_cast<double>(k) * d / (m + 1), static_cast<Extended>(k) * d / (m + 1));
  EXPECT_EQ(mismatches, 0);
}

TEST(FloatOps, ZeroTimesInfinityIsInvalid) {
  EXPECT_EQ(TrapOf([] { (void)FMul(0, kInf); }), Trap::Invalid);
  EXPECT_EQ(TrapOf([] { (void)FMul(-kInf, 0); }), Trap::Invalid);
  EXPECT_EQ(FMul(3, 4), 12);
}

}  // namespace
}  // namespace halvorn

namespace halvorn {
namespace {

TEST(ErrorBoxText, AppendsAPeriodOnlyAfterCharactersAboveIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Floating point division by zero", "Floating point division by zero."},
      {"Already ends.", "Already ends."},
      {"Stop!", "Stop!"},             // '!' is below '.'
      {"(a, b)", "(a, b)"},           // ')' is below '.'
      {"Path /tmp/", "Path /tmp/."},  // '/' is above '.'
      {"", ""},
      {"Τιμή", "Τιμή."},  // UTF-8 bytes are above '.'
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

}  // namespace
}  // namespace halvorn
