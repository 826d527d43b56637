// The window's Open command given what is no capture: the message box says
// why, the window goes on, the lists of the load before stay, and nothing hangs.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "tests/ui/window_fixture.h"

namespace tests {
namespace {

using namespace std::chrono_literals;

// Fails a test whose window work takes longer than its limit: the work runs on
// the window's thread, so the watchdog can only unblock what it waits on.
class Watchdog {
 public:
  template <typename Unblock>
  Watchdog(std::chrono::seconds limit, Unblock unblock)
      : thread_([this, limit, unblock] {
          std::unique_lock lock(mutex_);
          if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) {
            fired_ = true;
            unblock();
          }
        }) {}
  ~Watchdog() { finish(); }

  // True when the work finished in time.
  bool finish() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_all();
    if (thread_.joinable()) thread_.join();
    return !fired_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
  bool fired_ = false;
  std::thread thread_;
};

using HostileWindowTest = WindowTest;

TEST_F(HostileWindowTest, WhatIsNoCaptureShowsItsErrorAndKeepsTheLoadBefore) {
  const std::string fifo = missing("pipe.kss");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = missing("folder.kss");
  std::filesystem::create_directory(folder);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {fifo, "File access denied."},
      {folder, "File access denied."},
      {"/dev/zero", "File access denied."},
      {missing("typed name that does not exist.kss"), "File not found."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    open(capture("before.kss", beacons(3)));
    box.shown.clear();
    Watchdog watchdog(10s, [&] {
      const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // a writer ends a blocked open
      if (fd >= 0) ::close(fd);
    });
    open(c.path);
    ASSERT_TRUE(watchdog.finish()) << "opening hung";
    EXPECT_EQ(box.shown, std::vector<std::string>{c.message});
    EXPECT_EQ(form().frame_count, 3);
    EXPECT_EQ(form().memos.Memo3.size(), 3u);
    EXPECT_TRUE(form().Writehexfile1->isEnabled());
  }
}

// Many frames in one capture: every frame is counted and kept, the first is
// shown, and the export holds them all.
TEST_F(HostileWindowTest, HundredsOfThousandsOfFramesLoadWhole) {
  constexpr int kFrames = 200000;
  open(capture("long pass.kss", beacons(kFrames)));
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(form().frame_count, kFrames);
  EXPECT_EQ(form().memos.Memo3.size(), std::size_t{kFrames});
  EXPECT_EQ(text(form().Label4), " This file contains  200000  frames");
  form().Writehexfile1->trigger();
  const std::string written = read_file(start_dir() / "long pass.HEX");
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), kFrames);
}

}  // namespace
}  // namespace tests
