#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/MathFunctions.h"
#include "platform/runtime/MessageSinks.h"

namespace halvorn {
namespace {

class MathFunctionsTest : public ::testing::Test {
 protected:
  std::vector<std::string> reports_;
  ScopedMessageSink sink_{SetMathErrorSink,
                          [this](const std::string& t) { reports_.push_back(t); }};
};

TEST_F(MathFunctionsTest, ErrorsAreReportedAndGiveTheDefaultResult) {
  EXPECT_TRUE(std::isnan(Sqrt(-1.0)));
  EXPECT_TRUE(std::isnan(Ln(-1.0)));
  EXPECT_EQ(Ln(0.0), -std::numeric_limits<Extended>::infinity());
  EXPECT_TRUE(std::isinf(Exp(1000.0)));
  EXPECT_TRUE(std::isnan(Cos(std::numeric_limits<double>::infinity())));
  EXPECT_EQ(reports_,
            (std::vector<std::string>{"sqrt: DOMAIN error", "log: DOMAIN error", "log: SING error",
                                      "exp: OVERFLOW error", "cos: DOMAIN error"}));
}

TEST_F(MathFunctionsTest, UnderflowAndNaNArgumentsAreSilent) {
  EXPECT_EQ(Exp(-100000.0), 0.0L);
  EXPECT_TRUE(std::isnan(Sqrt(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_EQ(Sqrt(-0.0), 0.0L);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(MathFunctionsTest, ResultsCarryExtendedPrecision) {
  // sqrt(2) in extended differs from the double sqrt(2) beyond the 53rd bit.
  const Extended s = Sqrt(2.0);
  EXPECT_NE(s, static_cast<Extended>(static_cast<double>(s)));
  EXPECT_NEAR(static_cast<double>(s * s), 2.0, 1e-18);
  EXPECT_EQ(Cos(0.0), 1.0L);
  EXPECT_EQ(Exp(0.0), 1.0L);
  EXPECT_EQ(Ln(1.0), 0.0L);
}

TEST(MessageSinks, UnconnectedSinkDoesNotLoseTheMessage) {
  ScopedMessageSink none(SetModalMessageSink, nullptr);
  testing::internal::CaptureStderr();
  ShowModalMessage("problem with a, b, ... in routine betai");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "problem with a, b, ... in routine betai\n");
}

}  // namespace
}  // namespace halvorn

namespace halvorn {
namespace {

TEST(MathFunctions, CosineGivesTheLibrarysValueEveryTime) {
  // The angles of a Run (months 1..1195, phases 1..12), asked twice so that
  // the second pass is answered from the memo, interleaved with others.
  for (int pass = 0; pass < 2; ++pass)
    for (int t = 1; t <= 1195; ++t)
      for (int phase = 1; phase <= 12; ++phase) {
        const double x = static_cast<double>((6.283185307179586L / 12) * (t - phase));
        ASSERT_EQ(Cos(x), std::cos(static_cast<long double>(x))) << x;
        ASSERT_EQ(Cos(-x - 0.5), std::cos(static_cast<long double>(-x - 0.5))) << x;
      }
}

}  // namespace
}  // namespace halvorn
