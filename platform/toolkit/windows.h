#pragma once
// Showing windows and opening web addresses.

#include <string>

class QString;
class QWidget;

namespace platform {

// Makes a secondary window: its caption, a fixed single border with only the
// system menu and close buttons, the window font, a fixed client area.
// Closing it only hides it; the main window alone ends the program.
void make_secondary_window(QWidget& window, const QString& caption, int width, int height);

// Places a window in the middle of the screen it will appear on.
void centre_on_screen(QWidget& window);

// Shows a window modeless and brings it to the front. Only a hidden window is
// shown (so its show handler runs only then). The first showing centres it on
// `owner`, a negative coordinate becoming 0; later showings keep its place.
void show_modeless(QWidget& window, const QWidget& owner);

// Hands a web address to the desktop's default program; the result is not looked at.
void open_web_address(const std::string& address);

}  // namespace platform
