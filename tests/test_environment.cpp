// Linked into every test program: the paths the tests read and the headless
// window platform, unless the caller set them already.
#include <cstdlib>

namespace {

const bool kEnvironmentSet = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TAPIR_SOURCE_DIR", TAPIR_SOURCE_DIR, 0);
  setenv("TAPIR_SHARED_DIR", TAPIR_SOURCE_DIR "/../shared", 0);
  return true;
}();

}  // namespace
