// Loading a capture as the Open command does: open, read and sort the frames,
// unescape the satellite's. Reports bytes per second of capture input.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/bench_capture.h"
#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"

namespace {

constexpr std::uint64_t kCaptureSize = std::uint64_t{64} << 20;

const bench_support::GeneratedCapture& capture_64m() {
  static const bench_support::GeneratedCapture capture(kCaptureSize);
  return capture;
}

void BM_LoadCapture(benchmark::State& state) {
  const auto& capture = capture_64m();
  std::int32_t frames = 0;
  std::int32_t progress_calls = 0;
  for (auto _ : state) {
    platform::CaptureFile file(capture.path());
    capture::FrameLists lists;
    capture::carrega(file, lists, [&](std::int32_t) { ++progress_calls; });
    capture::restaura(lists);
    frames = static_cast<std::int32_t>(lists.Memo1.size());
    benchmark::DoNotOptimize(lists.Memo3.line(lists.frame_count).data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * capture.size()));
  state.counters["frames"] = frames;
  state.counters["capture_MB"] = static_cast<double>(capture.size()) / (1 << 20);
}
BENCHMARK(BM_LoadCapture)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the same file read in the same blocks, nothing done with it.
void BM_ReadCaptureOnly(benchmark::State& state) {
  const auto& capture = capture_64m();
  std::vector<char> block(std::size_t{1} << 20);
  for (auto _ : state) {
    platform::CaptureFile file(capture.path());
    while (file.read(block.data(), block.size()) > 0) benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * capture.size()));
}
BENCHMARK(BM_ReadCaptureOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
