// The simulation's arithmetic on worker threads, as a background computation
// runs it: every thread draws from its own random state, so its samples and
// t-tests depend on its seed alone, match the same work done on one thread
// bit for bit, and leave the window thread's random sequence untouched.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <thread>
#include <vector>

#include "sim/RandomSource.h"
#include "sim/SeasonalSample.h"
#include "sim/SimParams.h"
#include "sim/StudentT.h"

namespace halvorn {
namespace {

// The t and p of `runs` Runs of the default design with each test in turn,
// as raw bits so that comparisons are exact.
std::vector<std::uint32_t> Simulate(std::uint32_t seed, int runs) {
  SeedRandom(seed);
  const SimParams params;
  const auto n = static_cast<std::uint32_t>(params.SampleCount);
  std::vector<std::uint32_t> bits;
  for (int run = 0; run < runs; ++run) {
    std::array<float, 1 + 12> before{}, after{};
    for (std::uint32_t i = 1; i <= n; ++i) {
      const double t = static_cast<double>(i);
      before[i] = ToSingle(SeasonalSample(t, params.PeriodMonths, params.BaselineP,
                                          params.AmplitudeP, params.PhaseP, params.ErrorPctP));
    }
    for (std::uint32_t i = 1; i <= n; ++i) {
      const double t = static_cast<double>(i);
      after[i] = ToSingle(SeasonalSample(t, params.PeriodMonths, params.BaselineM,
                                         params.AmplitudeM, params.PhaseM, params.ErrorPctM));
    }
    float t = 0, p = 0;
    switch (run % 3) {
      case 0:
        StudentTEqual(before, n, after, n, t, p);
        break;
      case 1:
        StudentTUnequal(before, n, after, n, t, p);
        break;
      default:
        StudentTPaired(before, after, n, t, p);
        break;
    }
    for (float v : {t, p}) {
      std::uint32_t b;
      std::memcpy(&b, &v, sizeof b);
      bits.push_back(b);
    }
  }
  return bits;
}

TEST(WorkerIsolation, RunsOnWorkerThreadsMatchTheSameRunsOnOneThread) {
  constexpr int kThreads = 4, kRuns = 300;
  std::vector<std::vector<std::uint32_t>> alone;
  for (std::uint32_t seed = 1; seed <= kThreads; ++seed) alone.push_back(Simulate(seed, kRuns));

  SeedRandom(7);
  const std::uint64_t windowState = RandomState;
  std::vector<std::vector<std::uint32_t>> parallel(kThreads);
  {
    std::vector<std::jthread> workers;
    for (int i = 0; i < kThreads; ++i)
      workers.emplace_back([&parallel, i] {
        parallel[static_cast<std::size_t>(i)] = Simulate(static_cast<std::uint32_t>(i) + 1, kRuns);
      });
  }
  EXPECT_EQ(parallel, alone);
  EXPECT_EQ(RandomState, windowState);
  // Different seeds really give different Runs, so the comparison above
  // could tell the threads' results apart.
  EXPECT_NE(alone[0], alone[1]);
}

}  // namespace
}  // namespace halvorn
