#pragma once
// A generated capture of realistic traffic in a temporary file, shared by the
// benchmark programs; removed when the program ends.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/kss_generator/kss_generator.h"

namespace bench_support {

class GeneratedCapture {
 public:
  GeneratedCapture(std::uint64_t size, std::uint64_t seed = 7) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tapir-bench-XXXXXX.kss").string();
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0) std::abort();
    path_ = pattern;
    std::FILE* file = ::fdopen(fd, "wb");
    kss_generator::generate_traffic(size, seed, [&](std::string_view bytes) {
      if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    });
    if (std::fclose(file) != 0) std::abort();
    size_ = std::filesystem::file_size(path_);
  }
  ~GeneratedCapture() { std::filesystem::remove(path_); }
  GeneratedCapture(const GeneratedCapture&) = delete;
  GeneratedCapture& operator=(const GeneratedCapture&) = delete;

  const std::string& path() const { return path_; }
  std::uint64_t size() const { return size_; }

 private:
  std::string path_;
  std::uint64_t size_ = 0;
};

}  // namespace bench_support
