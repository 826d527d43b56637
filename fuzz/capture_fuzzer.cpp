// Arbitrary bytes as a capture file, through everything a load and a walk
// through the frames does: reading, unescaping, the ".HEX" export, the
// telemetry of every frame and the source/destination caption. Only the two
// failures a command may end with are expected; anything else is a finding,
// and so is any broken invariant below.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "capture/capture_reader.h"
#include "capture/frame_lists.h"
#include "capture/hex_export.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"
#include "platform/runtime/errors.h"
#include "telemetry/decode.h"
#include "tests/support/reference_reader.h"
#include "ui/load_texts.h"

namespace {

[[noreturn]] void broken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void check(bool ok, const char* what) {
  if (!ok) broken(what);
}

bool is_hex_text(std::string_view line) {
  if (line.size() % 3 != 0) return false;
  for (std::size_t i = 0; i < line.size(); i += 3) {
    for (std::size_t j = 0; j < 2; ++j) {
      const char c = line[i + j];
      if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    if (line[i + 2] != ' ') return false;
  }
  return true;
}

bool same_lines(const capture::LineList& list, const std::vector<std::string>& expected) {
  if (list.size() != expected.size()) return false;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (list[i] != expected[i]) return false;
  }
  return true;
}

// The capture lives in an anonymous memory file: a regular file for the
// reader, reached by its /proc path, with no disk traffic.
class MemoryCapture {
 public:
  MemoryCapture() : fd_(::memfd_create("capture.kss", 0)) { check(fd_ >= 0, "memfd_create"); }
  ~MemoryCapture() { ::close(fd_); }
  std::string fill(const std::uint8_t* data, std::size_t size) {
    check(::ftruncate(fd_, 0) == 0, "ftruncate");
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      check(n > 0, "pwrite");
      done += static_cast<std::size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd_);
  }

 private:
  int fd_;
};

// A private directory for one export, removed again after it: libFuzzer may
// end the process without running destructors.
class ExportDir {
 public:
  ExportDir() {
    // Memory-backed when the host has it: the export syncs to disk on every run.
    std::error_code no_shm;
    const auto base = std::filesystem::is_directory("/dev/shm", no_shm)
                          ? std::filesystem::path("/dev/shm")
                          : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "tapir-fuzz-XXXXXX").string();
    check(::mkdtemp(tmpl.data()) != nullptr, "mkdtemp");
    path_ = tmpl;
  }
  ~ExportDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ExportDir(const ExportDir&) = delete;
  ExportDir& operator=(const ExportDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string read_whole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void export_and_compare(const capture::FrameLists& lists) {
  const ExportDir dir;
  const std::filesystem::path target = dir.path() / "capture.HEX";
  capture::write_hex_file(target.string(), lists.Memo3, lists.frame_count);
  std::string expected;
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    expected += lists.Memo3.line(k);
    expected += "\r\n";
  }
  check(read_whole(target) == expected, ".HEX file differs from the unescaped lines");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  check(entries == 1, "the export left another file behind");
}

void walk_frames(const capture::FrameLists& lists) {
  std::size_t updates = 0;
  const telemetry::UpdateSink count = [&updates](const telemetry::LabelUpdate&) { ++updates; };
  for (std::int32_t k = 1; k <= lists.frame_count; ++k) {
    try {
      telemetry::decode_frame(lists.Memo4.line(k), lists.Memo3.line(k), count);
    } catch (const platform::ConvertError&) {
    }
  }
  if (lists.frame_count > 0) {
    try {
      (void)ui::source_destination_caption(lists.Memo3.line(1));
    } catch (const platform::ConvertError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryCapture memory;
  const std::string path = memory.fill(data, size);

  capture::FrameLists lists;
  std::optional<platform::CaptureFile> file;
  file.emplace(path);
  check(file->size() == size, "size taken at opening");
  if (size == 0) return 0;  // an empty capture is never read
  bool clean = false;
  try {
    std::int32_t last_progress = -1;
    capture::carrega(*file, lists, [&](std::int32_t count) {
      check(count >= last_progress, "progress went backwards");
      last_progress = count;
    });
    clean = true;
  } catch (const platform::IoError& error) {
    check(error.code() == platform::io_code::read_beyond_end_of_file, "unexpected I/O error code");
  }
  check(!file->is_open(), "capture left open");

  const test_support::ReferenceLists expected = test_support::reference_read(data, size);
  check(expected.ran_out == !clean, "end-of-file error differs from byte-wise reading");
  check(same_lines(lists.Memo1, expected.all), "Memo1 differs from byte-wise reading");
  check(same_lines(lists.Memo2, expected.satellite), "Memo2 differs from byte-wise reading");
  check(same_lines(lists.Memo4, expected.time_stamps), "Memo4 differs from byte-wise reading");
  check(lists.frame_count >= 0 && static_cast<std::size_t>(lists.frame_count) == lists.Memo2.size(),
        "frame_count differs from Memo2");
  for (const auto line : lists.Memo1) check(is_hex_text(line), "Memo1 line is not hex text");

  if (clean) {
    capture::restaura(lists);
    check(lists.Memo3.size() == lists.Memo2.size(), "Memo3 and Memo2 differ in length");
    check(same_lines(lists.Memo3, expected.unescaped), "Memo3 differs from byte-wise unescaping");
    for (const auto line : lists.Memo3) check(is_hex_text(line), "Memo3 line is not hex text");
  } else {
    check(lists.Memo3.empty(), "Memo3 filled after a failed read");
  }

  try {
    export_and_compare(lists);
  } catch (const platform::IoError&) {
    broken("export to a writable directory failed");
  }
  walk_frames(lists);
  return 0;
}
