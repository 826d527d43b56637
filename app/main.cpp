// The decoder's window program: creates the three windows and runs the event loop.

#include <QApplication>

#include "platform/toolkit/exception_box.h"
#include "platform/toolkit/open_dialog.h"
#include "platform/toolkit/windows.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  platform::QtExceptionBox exception_box(platform::application_title(argc > 0 ? argv[0] : "tapir1-decoder"));
  platform::QtOpenDialog open_dialog;

  ui::Windows windows(open_dialog, exception_box);
  platform::centre_on_screen(*windows.Form1);
  windows.Form1->show();
  return QApplication::exec();
}
