#pragma once
// The batch decoder's command line:
//   tapir1-decode [--format text|csv|jsonl] [--hex FILE] CAPTURE...
// Returns the exit status: 0 when every capture was read whole (empty ones and
// ones without the satellite's frames included), 1 when one could not be
// opened or read, when the Open command would have stopped with an error on
// it, or when the .HEX file could not be written; 2 for a usage error.

#include <QStringList>
#include <ostream>

namespace decode_cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCaptureError = 1;
inline constexpr int kExitUsage = 2;

// `arguments` starts with the program's name, as QCoreApplication::arguments().
int run_decode_command(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace decode_cli
