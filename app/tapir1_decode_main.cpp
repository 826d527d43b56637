// tapir1-decode: the batch decoder, for terminals, spreadsheets and scripts.

#include <QCoreApplication>
#include <iostream>

#include "app/decode/decode_command.h"

int main(int argc, char* argv[]) {
  // Also takes the locale from the environment, as the window does, for the date texts.
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName("tapir1-decode");
  std::ios::sync_with_stdio(false);
  try {
    return decode_cli::run_decode_command(QCoreApplication::arguments(), std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "tapir1-decode: " << error.what() << '\n';
    return decode_cli::kExitCaptureError;
  }
}
