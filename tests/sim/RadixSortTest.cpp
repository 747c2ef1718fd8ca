#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "sim/RadixSort.h"

namespace halvorn {
namespace {

// The radix orders against std::sort, on samples that stress its key: both
// signs and both zeros, values spread over the whole double range (a coarse
// digit for most), and many ties.
TEST(RadixSort, OrdersAsAComparisonSortDoes) {
  std::mt19937_64 random(11);
  const struct {
    const char* name;
    double (*draw)(std::mt19937_64&);
  } samples[] = {
      {"levels", [](std::mt19937_64& r) { return std::uniform_real_distribution(50.0, 150.0)(r); }},
      {"both signs and zeros",
       [](std::mt19937_64& r) {
         const double v = std::uniform_real_distribution(-3.0, 3.0)(r);
         return r() % 8 == 0 ? (r() % 2 ? 0.0 : -0.0) : v;
       }},
      {"the whole range",
       [](std::mt19937_64& r) {
         return std::ldexp(std::uniform_real_distribution(1.0, 2.0)(r),
                           static_cast<int>(r() % 2000) - 1000);
       }},
      {"one outlier among ties",
       [](std::mt19937_64& r) { return r() % 100 == 0 ? 1e12 : static_cast<double>(r() % 5); }},
  };
  for (const auto& sample : samples) {
    for (const std::size_t n : {1u, 63u, 64u, 200u, 598u}) {
      SCOPED_TRACE(std::string(sample.name) + ", " + std::to_string(n));
      std::vector<double> in(n), out(n);
      for (double& v : in) v = sample.draw(random);
      std::vector<std::uint32_t> scratch(2 * n);
      std::vector<double> expected = in, ordered;
      std::sort(expected.begin(), expected.end());
      for (const std::uint32_t place : OrderByValue(in, scratch)) ordered.push_back(in[place]);
      EXPECT_EQ(ordered, expected);  // -0 == +0
      SortByMagnitude(in, out, scratch);
      EXPECT_TRUE(std::is_sorted(out.begin(), out.end(),
                                 [](double x, double y) { return std::fabs(x) < std::fabs(y); }));
      std::vector<double> sortedOut = out;
      std::sort(sortedOut.begin(), sortedOut.end());
      EXPECT_EQ(sortedOut, expected);  // the same values
    }
  }
}

}  // namespace
}  // namespace halvorn
