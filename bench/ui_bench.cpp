// The main window's own cost over the capture and telemetry code: a whole
// Open command (read, unescape, captions, first decode) and one press of the
// frame selector (decode and label updates), on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/toolkit/fakes.h"
#include "platform/toolkit/up_down.h"
#include "tools/kss_generator/kss_generator.h"
#include "ui/application.h"

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "ui_bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static auto* app = new QApplication(argc, argv);  // never destroyed, as Qt's statics may be gone
  return *app;
}

// A capture of traffic of about `size` bytes in the temporary folder.
std::string traffic_capture(std::uint64_t size) {
  const auto path =
      std::filesystem::temp_directory_path() / ("tapir_ui_bench_" + std::to_string(size) + ".kss");
  if (!std::filesystem::exists(path)) {
    std::ofstream out(path, std::ios::binary);
    kss_generator::generate_traffic(size, 7, [&](std::string_view bytes) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
  }
  return path.string();
}

struct Window {
  platform::ScriptedOpenDialog dialog;
  platform::RecordingExceptionBox box;
  std::unique_ptr<ui::Windows> windows;
  Window() {
    application();
    windows = std::make_unique<ui::Windows>(dialog, box);
    windows->Form1->show();
  }
  void open(const std::string& path) {
    dialog.choose(path);
    windows->Form1->OpenKSSfile1Click();
  }
};

void BM_OpenCommand(benchmark::State& state) {
  const auto size = static_cast<std::uint64_t>(state.range(0)) << 20;
  const std::string path = traffic_capture(size);
  Window window;
  for (auto _ : state) {
    window.open(path);
    benchmark::DoNotOptimize(window.windows->Form1->frame_count);
  }
  state.counters["frames"] = window.windows->Form1->frame_count;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_OpenCommand)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_SelectorPress(benchmark::State& state) {
  Window window;
  window.open(traffic_capture(1 << 20));
  platform::UpDown& selector = *window.windows->Form1->UpDown1;
  for (auto _ : state) {
    if (selector.position() == selector.maximum()) selector.set_position(1);
    selector.press(platform::UpDown::Button::Next);
  }
  if (!window.box.shown.empty()) state.SkipWithError(window.box.shown.front().c_str());
}
BENCHMARK(BM_SelectorPress);

}  // namespace

BENCHMARK_MAIN();
