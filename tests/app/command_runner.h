#pragma once
// Runs the batch decoder's command in-process and keeps what it printed.

#include <QStringList>
#include <sstream>
#include <string>

#include "app/decode/decode_command.h"

namespace fixture {

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

inline CommandResult run_command(QStringList arguments) {
  arguments.prepend("tapir1-decode");
  std::ostringstream out;
  std::ostringstream err;
  const int status = decode_cli::run_decode_command(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace fixture
