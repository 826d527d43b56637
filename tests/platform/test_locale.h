#pragma once
// Selects a locale for one category in a test, building it from the system's
// locale sources into a private folder when it is not installed.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace platform_test {

inline bool select_locale(int category, const std::string& source, const std::string& charset) {
  const std::string name = source + "." + charset;
  if (std::setlocale(category, name.c_str()) != nullptr) return true;
  const std::string folder = testing::TempDir() + "tapir-locales";
  const std::string command = "mkdir -p '" + folder + "' && env -u LOCPATH localedef -i " + source +
                              " -f " + charset + " '" + folder + "/" + name + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(category, name.c_str()) != nullptr;
}

}  // namespace platform_test
