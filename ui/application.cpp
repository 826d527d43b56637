#include "ui/application.h"

#include <QApplication>
#include <QIcon>

namespace ui {

Windows::Windows(platform::OpenDialog& open_dialog, platform::ExceptionBox& exception_box)
    : Form1(std::make_unique<TForm1>(open_dialog, exception_box)),
      Form2(std::make_unique<TForm2>()),
      Form3(std::make_unique<TForm3>()) {
  set_application_icon();
  Form1->set_secondary_windows(Form2.get(), Form3.get());
}

// The secondary windows go first: the main window's handlers point at them.
Windows::~Windows() {
  Form1->set_secondary_windows(nullptr, nullptr);
  Form3.reset();
  Form2.reset();
}

void set_application_icon() { QApplication::setWindowIcon(QIcon(QStringLiteral(":/ui/satellite_icon.png"))); }

}  // namespace ui
