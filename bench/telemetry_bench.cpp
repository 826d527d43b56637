// Cost of decoding one frame of the satellite into its label updates, and of
// the number and date texts inside it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/hex_text.h"
#include "platform/runtime/date_time.h"
#include "platform/runtime/number_text.h"
#include "telemetry/decode.h"

namespace {

std::string hex_line(const std::vector<std::uint8_t>& bytes) {
  std::string line;
  for (auto byte : bytes) line.append(capture::hexa(byte)).push_back(' ');
  return line;
}

std::string beacon_line() {
  std::vector<std::uint8_t> bytes(66, 0x41);
  const std::uint8_t fields[] = {0xA0, 0x3D, 0x50, 0x60, 0x80, 0x0E, 0x05, 0x00,
                                 0xF3, 0xFD, 0x03, 0x11, 0x00, 0x02, 0x00};
  for (std::size_t i = 0; i < sizeof fields; ++i) bytes[50 + i] = fields[i];
  return hex_line(bytes);
}

void BM_DecodeFrame(benchmark::State& state) {
  const std::string time_stamp = hex_line({0, 0, 0x01, 0x78, 0x39, 0x70, 0xBC, 0xE7});
  const std::string frame = beacon_line();
  std::size_t characters = 0;
  for (auto _ : state) {
    telemetry::decode_frame(time_stamp, frame, [&](const telemetry::LabelUpdate& update) {
      characters += update.text ? update.text->size() : 0;
    });
  }
  benchmark::DoNotOptimize(characters);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeFrame);

void BM_FixedPointText(benchmark::State& state) {
  std::uint16_t raw = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform::fixed_point_text(static_cast<long double>(raw++) * 0.001L, 6, 3));
  }
}
BENCHMARK(BM_FixedPointText);

void BM_DateTimeText(benchmark::State& state) {
  std::int64_t seconds = 1615871392;
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform::date_time_text(platform::unix_to_day_count(seconds++)));
  }
}
BENCHMARK(BM_DateTimeText);

}  // namespace

BENCHMARK_MAIN();
