#include "sim/PowerEngine.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/runtime/Assert.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/MessageSinks.h"
#include "sim/DesignRuns.h"
#include "sim/RandomSource.h"

namespace halvorn {
namespace {

// One computation: the Runs of one or more designs, all from the same
// state, cut into chunks of consecutive Runs of one design.
class TPowerJob {
 public:
  TPowerJob(std::vector<SimParams> designs, std::uint64_t state, std::int64_t runs,
            std::int64_t skip, int threads)
      : designs_(std::move(designs)),
        state_(state),
        runs_(runs),
        skip_(skip),
        plans_(designs_.size()),
        planned_(designs_.size()),
        results_(designs_.size()),
        scratch_(static_cast<std::size_t>(threads)) {
    if (runs < 0) throw EInvalidOperation("The number of Runs cannot be negative");
    if (skip < 0) throw EInvalidOperation("The Runs skipped cannot be negative");
    // Enough chunks for the workers to share the load evenly and report
    // progress often; few enough that their bookkeeping costs nothing.
    chunkRuns_ = std::clamp<std::int64_t>(runs / (8 * threads), 16, 4096);
    chunksPerDesign_ = (runs + chunkRuns_ - 1) / chunkRuns_;
  }

  std::int64_t Chunks() const {
    return chunksPerDesign_ * static_cast<std::int64_t>(designs_.size());
  }

  void RunChunk(int worker, std::int64_t chunk, const std::atomic<bool>& stop) {
    const auto design = static_cast<std::size_t>(chunk / chunksPerDesign_);
    const std::int64_t first = chunk % chunksPerDesign_ * chunkRuns_;
    const std::int64_t count = std::min(chunkRuns_, runs_ - first);
    HALVORN_ASSERT(design < designs_.size() && count > 0, "a chunk holds Runs of one design");
    const TDesignRuns& plan = Plan(design);
    auto& scratch = scratch_[static_cast<std::size_t>(worker)];
    if (!scratch) scratch = std::make_unique<TDesignRuns::TScratch>();

    // The statistics' messages belong to the window's thread; here a failed
    // test is counted, not shown.
    const TSilentMessages quiet;
    // Run first + skip starts that many Runs of 2 n draws after the state;
    // the draw count wraps modulo 2^64 as the generator's period does.
    const std::uint64_t start =
        JumpAhead(state_, static_cast<std::uint64_t>(first + skip_) * plan.DrawsPerRun());
    TPowerResult partial;
    plan.Judge(start, count, *scratch, stop, partial);
    std::lock_guard lock(resultMutex_);
    results_[design] += partial;
  }

  const std::vector<TPowerResult>& Results() const { return results_; }

 private:
  // The design's plan, made by the first worker that needs it; designs share
  // the thresholds of a sample count and the error table of an error.
  const TDesignRuns& Plan(std::size_t design) {
    std::call_once(planned_[design], [&] {
      const SimParams& p = designs_[design];
      plans_[design] = std::make_unique<TDesignRuns>(
          p, TDesignRuns::TShared{{Errors(p.ErrorPctP), Errors(p.ErrorPctM)},
                                  Thresholds(TDesignRuns::PooledDf(p)),
                                  Thresholds(TDesignRuns::PairedDf(p)),
                                  TDesignRuns::LogBins(p),
                                  TDesignRuns::RankSumNullOf(p)});
    });
    return *plans_[design];
  }

  std::shared_ptr<const TPBinThresholds> Thresholds(float df) {
    std::lock_guard lock(sharedMutex_);
    auto& t = thresholds_[df];
    if (!t) t = std::make_shared<const TPBinThresholds>(df);
    return t;
  }

  std::shared_ptr<const TSampleGenerator::TErrorTable> Errors(double error) {
    std::lock_guard lock(sharedMutex_);
    auto& t = errorTables_[error];
    if (!t) t = TSampleGenerator::MakeErrorTable(error);
    return t;
  }

  std::vector<SimParams> designs_;
  std::uint64_t state_;
  std::int64_t runs_, skip_;
  std::int64_t chunkRuns_ = 1, chunksPerDesign_ = 0;
  std::vector<std::unique_ptr<TDesignRuns>> plans_;
  std::vector<std::once_flag> planned_;
  std::mutex sharedMutex_;
  std::map<float, std::shared_ptr<const TPBinThresholds>> thresholds_;
  std::map<double, std::shared_ptr<const TSampleGenerator::TErrorTable>> errorTables_;
  std::mutex resultMutex_;
  std::vector<TPowerResult> results_;
  std::vector<std::unique_ptr<TDesignRuns::TScratch>> scratch_;  // one per worker
};

std::vector<TPowerResult> Compute(std::vector<SimParams> designs, const TPowerRequest& request,
                                  TPowerPool& pool, std::stop_token stop,
                                  const TPowerProgress& progress) {
  for (const SimParams& p : designs)
    if (p.SampleCount < 1 || p.SampleCount > TSampleGenerator::kMaxSamples)
      throw EListError::IndexOutOfBounds(p.SampleCount);
  TPowerJob job(std::move(designs), request.State, request.Runs, request.Skip, pool.Threads());
  const TPowerPool::TChunkWork work = [&job](int worker, std::int64_t chunk,
                                             const std::atomic<bool>& halt) {
    job.RunChunk(worker, chunk, halt);
  };
  if (!pool.Run(job.Chunks(), work, std::move(stop), progress)) throw EPowerStopped();
  for (const TPowerResult& r : job.Results()) {
    HALVORN_ASSERT(r.Runs == request.Runs, "every Run of a design is counted once");
    for (const TTestCounts& c : r.Tests)
      HALVORN_ASSERT(c.Significant + c.NotSignificant + c.Failed == r.Runs,
                     "every Run is significant, not significant or failed in every test");
  }
  return job.Results();
}

}  // namespace

TPowerResult ComputePower(const TPowerRequest& request, TPowerPool& pool, std::stop_token stop,
                          const TPowerProgress& progress) {
  return Compute({request.Params}, request, pool, std::move(stop), progress).front();
}

TPowerResult ComputeFalsePositive(const TPowerRequest& request, TPowerPool& pool,
                                  std::stop_token stop, const TPowerProgress& progress) {
  TPowerRequest null = request;
  ApplySlider(null.Params, TSlider::Dif, 0);
  return ComputePower(null, pool, std::move(stop), progress);
}

std::vector<TSweepPoint> SweepPower(const TPowerRequest& base, TSlider slider, int fromPosition,
                                    int toPosition, int stepPositions, TPowerPool& pool,
                                    std::stop_token stop, const TPowerProgress& progress) {
  const TSliderInfo& info = SliderInfo(slider);
  if (fromPosition < info.Min || toPosition > info.Max || fromPosition > toPosition ||
      stepPositions < 1)
    throw EInvalidOperation("A sweep runs upwards within the slider's positions");
  std::vector<TSweepPoint> points;
  std::vector<SimParams> designs;
  for (int position = fromPosition; position <= toPosition; position += stepPositions) {
    designs.push_back(base.Params);
    ApplySlider(designs.back(), slider, position);
    points.push_back({position, info.ValueAt(position), {}, LevelDifference(designs.back())});
  }
  std::vector<TPowerResult> results =
      Compute(std::move(designs), base, pool, std::move(stop), progress);
  for (std::size_t i = 0; i < points.size(); ++i) points[i].Result = results[i];
  return points;
}

std::vector<TValueRange> ValuesReaching(const std::vector<TSweepPoint>& sweep, TTestKind test,
                                        TPowerTarget target) {
  std::vector<TValueRange> ranges;
  bool inRange = false;
  for (std::size_t i = 0; i < sweep.size(); ++i) {
    const TSweepPoint& p = sweep[i];
    if (!target.ReachedBy(p.Result.Counts(test).Significant, p.Result.Runs)) {
      inRange = false;
      continue;
    }
    if (inRange) {
      ranges.back().To = p.Value;
    } else {
      ranges.push_back({p.Value, p.Value, i == 0, false});
      inRange = true;
    }
    ranges.back().Last = i + 1 == sweep.size();
  }
  return ranges;
}

std::string ValuesReachingText(const std::vector<TValueRange>& ranges, TSlider slider,
                               const TRangeWords& words) {
  if (ranges.empty()) return words.None;
  const auto value = [&](int v) { return SliderValueText(SliderInfo(slider), v); };
  std::string text;
  for (const TValueRange& r : ranges) {
    if (!text.empty()) text += ", ";
    if (r.First && r.Last)
      text += words.All;
    else if (r.First)
      text += Fmt(words.UpTo, value(r.To).c_str());
    else if (r.Last)
      text += Fmt(words.FromOn, value(r.From).c_str());
    else
      text += r.From == r.To ? value(r.From) : value(r.From) + "–" + value(r.To);
  }
  return text;
}

}  // namespace halvorn
