// Peak resident memory of loading a capture, against the capture's size.
//   load_peak_memory [--size 64M] [CAPTURE]
// Without CAPTURE, a capture of realistic traffic of that size is generated first.

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "bench/bench_capture.h"
#include "capture/capture_reader.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"

namespace {

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"), or -1.
long status_kb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  const std::string prefix = field + ":";
  for (std::string line; std::getline(status, line);) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::stol(line.substr(prefix.size()));
  }
  return -1;
}

// Starts the peak (VmHWM) anew from the current resident size.
bool reset_peak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t size = std::uint64_t{64} << 20;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--size" && i + 1 < argc) {
      const auto parsed = kss_generator::parse_size(argv[++i]);
      if (!parsed) {
        std::fprintf(stderr, "load_peak_memory: bad size %s\n", argv[i]);
        return 2;
      }
      size = *parsed;
    } else {
      path = arg;
    }
  }

  std::unique_ptr<bench_support::GeneratedCapture> generated;
  if (path.empty()) {
    generated = std::make_unique<bench_support::GeneratedCapture>(size);
    path = generated->path();
  }

  const bool reset = reset_peak();
  const long before_kb = status_kb("VmRSS");
  std::uint64_t capture_size = 0;
  std::size_t frames = 0;
  std::int32_t satellite = 0;
  {
    platform::CaptureFile file(path);
    capture_size = file.size();
    capture::FrameLists lists;
    capture::carrega(file, lists);
    capture::restaura(lists);
    frames = lists.Memo1.size();
    satellite = lists.frame_count;
  }
  const long peak_kb = status_kb("VmHWM");
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);

  const double capture_mb = static_cast<double>(capture_size) / (1 << 20);
  std::printf("capture            %10.1f MB  (%zu frames, %d of the satellite)\n", capture_mb, frames,
              satellite);
  std::printf("resident before    %10.1f MB\n", before_kb / 1024.0);
  std::printf("peak resident      %10.1f MB  (VmHWM%s)\n", peak_kb / 1024.0,
              reset ? ", reset before the load" : ", since the start: includes generating the capture");
  std::printf("peak of the load   %10.1f MB\n", (peak_kb - before_kb) / 1024.0);
  std::printf("ru_maxrss          %10.1f MB  (whole process)\n", usage.ru_maxrss / 1024.0);
  std::printf("peak / capture     %10.2f\n", peak_kb / 1024.0 / capture_mb);
  std::printf("load peak / capture%10.2f\n", (peak_kb - before_kb) / 1024.0 / capture_mb);
  return 0;
}
