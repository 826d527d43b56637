#pragma once
// The About window: version, author and a link to the project's web page.

#include <QWidget>
#include <functional>
#include <string>

class QFrame;

namespace platform {
class StaticText;
}

namespace ui {

class TForm2 : public QWidget {
 public:
  static constexpr const char* kShownAddress = "https://www.example.org/tapir1-decoder/";
  // The shown text carries the host-name prefix "www."; the opened address does not.
  static constexpr const char* kOpenedAddress = "https://example.org/tapir1-decoder/";

  TForm2();

  QFrame* Panel1;
  platform::StaticText* StaticText1;
  platform::StaticText* StaticText2;
  platform::StaticText* StaticText3;

  // The click on the web address.
  void link();

  // How an address is handed to the desktop; tests replace it.
  std::function<void(const std::string&)> open_address;
};

}  // namespace ui
