#pragma once
// Helpers for the hostile-input tests: a private scratch directory, file
// writing, a watchdog that turns a hang into a failure, and capture bytes.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/kiss_fixture.h"

namespace hardening {

using Bytes = std::vector<std::uint8_t>;

class ScratchDir {
 public:
  ScratchDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tapir-hardening-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void write_file(const std::string& path, const Bytes& bytes, bool append = false) {
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs `work` in a child process with a mount namespace of its own, where it
// may mount file systems that nobody else sees and that vanish with it.
// Gives work's result (0 to 125), or kNoNamespace when the system allows no
// such namespace.
inline constexpr int kNoNamespace = 126;
template <typename Work>
int in_private_mounts(Work work) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      ::_exit(kNoNamespace);
    }
    ::_exit(work());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

// Runs `work` on its own thread and waits at most `limit`. When it has not
// finished by then, `unblock` is called so that the thread can end, and the
// result says it hung.
template <typename Work, typename Unblock>
bool finishes_within(std::chrono::seconds limit, Work work, Unblock unblock) {
  auto done = std::async(std::launch::async, std::move(work));
  if (done.wait_for(limit) == std::future_status::ready) {
    done.get();
    return true;
  }
  unblock();
  done.wait();
  return false;
}

// One KISS frame: FEND, command byte, data with 0xC0 and 0xDB escaped, FEND.
inline Bytes kiss_frame(std::uint8_t command, const Bytes& data) {
  return fixture::to_bytes(fixture::kiss(command, fixture::to_text(data)));
}

// An AX.25 frame from TAPIR1 with `body` after its 16 header bytes.
inline Bytes satellite_ax25(const Bytes& body) {
  return fixture::to_bytes(fixture::address("CQ") + "\x60" + fixture::address("TAPIR1") + "\x61\x03\xF0" +
                           fixture::to_text(body));
}

// A numeric time-stamp frame: command 0x09 and eight bytes, never escaped.
inline Bytes time_stamp_frame(std::uint64_t milliseconds) {
  return fixture::to_bytes(fixture::time_stamp_frame(milliseconds));
}

inline void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace hardening
