// The batch decoder against the load it is built on: loading a capture as the
// window does (read, sort, unescape), and the whole command in each format
// with its output thrown away.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <ostream>
#include <streambuf>

#include "app/decode/decode_command.h"
#include "app/decode/frame_decoding.h"
#include "app/decode/loaded_capture.h"
#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"
#include "tools/kss_generator/kss_generator.h"

namespace {

class NullBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// One capture of traffic per size, written once.
const QString& capture_path(std::int64_t size) {
  static QTemporaryDir dir;
  static std::map<std::int64_t, QString> paths;
  auto& path = paths[size];
  if (path.isEmpty()) {
    path = dir.filePath(QString("traffic-%1.kss").arg(size));
    std::ofstream file(path.toStdString(), std::ios::binary);
    kss_generator::generate_traffic(static_cast<std::uint64_t>(size), 7, [&file](std::string_view bytes) {
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
  }
  return path;
}

void BM_Load(benchmark::State& state) {
  const std::string path = capture_path(state.range(0)).toStdString();
  for (auto _ : state) {
    capture::FrameLists lists;
    platform::CaptureFile file(path);
    capture::carrega(file, lists);
    capture::restaura(lists);
    benchmark::DoNotOptimize(lists.frame_count);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The floor of any format: the load and every frame decoded, nothing printed.
void BM_LoadAndDecodeEveryFrame(benchmark::State& state) {
  const std::string path = capture_path(state.range(0)).toStdString();
  for (auto _ : state) {
    const auto loaded = decode_cli::load_capture(path, path);
    for (std::int32_t k = 1; k <= loaded.lists.frame_count; ++k) {
      benchmark::DoNotOptimize(decode_cli::decode_satellite_frame(loaded.lists, k));
    }
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Decode(benchmark::State& state, const char* format) {
  const QString path = capture_path(state.range(0));
  NullBuffer discard;
  std::ostream out(&discard);
  std::ostream err(&discard);
  for (auto _ : state) {
    const int status = decode_cli::run_decode_command({"tapir1-decode", "--format", format, path}, out, err);
    if (status != 0) state.SkipWithError("the capture did not decode");
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Load)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndDecodeEveryFrame)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, text, "text")->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, csv, "csv")->Arg(8 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, jsonl, "jsonl")->Arg(8 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
