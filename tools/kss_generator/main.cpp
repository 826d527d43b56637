// kss-generate: writes a synthetic TAPIR1 capture.
//   kss-generate OUTPUT                     the demo pass (samples/demo.kss)
//   kss-generate --size 64M [--seed N] OUTPUT   realistic traffic of that size

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "tools/kss_generator/kss_generator.h"

namespace {

int usage() {
  std::fputs("usage: kss-generate [--size SIZE[K|M|G]] [--seed N] OUTPUT\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::uint64_t> size;
  std::uint64_t seed = 1;
  const char* output = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if ((arg == "--size" || arg == "--seed") && i + 1 < argc) {
      const auto value = kss_generator::parse_size(argv[++i]);
      if (!value) return usage();
      if (arg == "--size")
        size = value;
      else
        seed = *value;
    } else if (!arg.empty() && arg[0] != '-' && !output) {
      output = argv[i];
    } else {
      return usage();
    }
  }
  if (!output) return usage();

  std::FILE* file = std::fopen(output, "wb");
  if (!file) {
    std::fprintf(stderr, "kss-generate: %s: %s\n", output, std::strerror(errno));
    return 1;
  }
  bool ok = true;
  const auto sink = [&](std::string_view bytes) {
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
  if (size) {
    kss_generator::generate_traffic(*size, seed, sink);
  } else {
    sink(kss_generator::demo_capture(seed));
  }
  if (std::fclose(file) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "kss-generate: %s: write failed\n", output);
    return 1;
  }
  return 0;
}
