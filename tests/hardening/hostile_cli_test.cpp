// tapir1-decode given what is no capture, or an export it cannot write: it
// ends in time, with exit status 1 and one line naming the file and the error.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/hardening/scratch_dir.h"

namespace hardening {
namespace {

struct ProgramRun {
  bool finished = false;  // false: killed after the time limit
  int status = -1;
  std::string out;
  std::string err;
};

// Runs tapir1-decode with `arguments`, output to files in `dir`; as the user
// "nobody" when `unprivileged`. Killed when it runs longer than `limit`.
ProgramRun run_decoder(const ScratchDir& dir, const std::vector<std::string>& arguments,
                       bool unprivileged = false, std::chrono::seconds limit = std::chrono::seconds(20)) {
  const std::string out_path = dir.file("stdout.txt");
  const std::string err_path = dir.file("stderr.txt");
  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(125);
    ::setenv("LC_ALL", "C", 1);
    constexpr uid_t kNobody = 65534;
    if (unprivileged && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(125);
    std::vector<char*> argv{const_cast<char*>(TAPIR1_DECODE)};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(TAPIR1_DECODE, argv.data());
    ::_exit(126);
  }
  ProgramRun run;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  run.finished = true;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = read_file(out_path);
  run.err = read_file(err_path);
  return run;
}

Bytes one_beacon() {
  return kiss_frame(0x00, satellite_ax25(Bytes(49, 0x41)));
}

TEST(HostileCliTest, WhatIsNoCaptureEndsInTimeWithOneLine) {
  ScratchDir dir;
  ::chmod(dir.path().c_str(), 0755);  // "nobody" reaches its files
  const std::string fifo = dir.file("pipe.kss");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const std::string locked = dir.file("locked.kss");
  write_file(locked, one_beacon());
  ASSERT_EQ(::chmod(locked.c_str(), 0200), 0);

  const struct {
    std::string path;
    bool unprivileged;
    const char* message;
  } cases[] = {
      {fifo, false, "File access denied"},
      {"/dev/zero", false, "File access denied"},
      {locked, true, "File access denied"},
      {dir.file("missing.kss"), false, "File not found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const ProgramRun run = run_decoder(dir, {c.path}, c.unprivileged);
    ASSERT_TRUE(run.finished) << "tapir1-decode hung";
    if (c.unprivileged && run.status == 126) {
      std::cout << "tapir1-decode cannot be started as \"nobody\" from here; case left out\n";
      continue;
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tapir1-decode: " + c.path + ": " + c.message + ".\n");
  }
}

// The ".HEX" file cannot be written: the error is reported, the previous file
// stays as it was and nothing is left beside it.
TEST(HostileCliTest, ExportThatCannotBeWrittenKeepsThePreviousFile) {
  ScratchDir dir;
  const std::string capture = dir.file("pass.kss");
  write_file(capture, one_beacon());
  const std::string out_dir = dir.file("out");
  std::filesystem::create_directory(out_dir);
  const std::string previous = "41 42 \r\n";
  const std::string hex = out_dir + "/pass.HEX";

  const int outcome = in_private_mounts([&] {
    if (::mount("tapir-full", out_dir.c_str(), "tmpfs", 0, "size=64k") != 0) return kNoNamespace;
    write_file(hex, Bytes(previous.begin(), previous.end()));
    // Fill the file system up to its last byte.
    const int filler = ::open((out_dir + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'x');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);
    const ProgramRun run = run_decoder(dir, {"--hex", hex, capture});
    if (!run.finished) return 10;
    if (run.status != 1) return 11;
    if (run.err.find("Disk full") == std::string::npos) return 12;
    if (read_file(hex) != previous) return 13;
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(out_dir)) ++entries;
    return entries == 2 ? 0 : 14;
  });
  if (outcome == kNoNamespace) GTEST_SKIP() << "no private mount namespace allowed here";
  EXPECT_EQ(outcome, 0) << "10 hung, 11 wrong status, 12 no disk-full error, 13 previous file changed, "
                           "14 a file left behind";
}

}  // namespace
}  // namespace hardening
