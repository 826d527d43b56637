#include "platform/toolkit/windows.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <algorithm>

#include "platform/toolkit/fonts.h"

namespace platform {

namespace {
constexpr const char* kPlacedProperty = "tapir_placed";
}

void make_secondary_window(QWidget& window, const QString& caption, int width, int height) {
  window.setWindowTitle(caption);
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  window.setAttribute(Qt::WA_QuitOnClose, false);
  window.setFont(window_font());
  window.setFixedSize(width, height);
}

void centre_on_screen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

void show_modeless(QWidget& window, const QWidget& owner) {
  if (!window.isVisible()) {
    if (!window.property(kPlacedProperty).toBool()) {
      const QPoint centre = owner.frameGeometry().center();
      window.move(std::max(0, centre.x() - window.width() / 2),
                  std::max(0, centre.y() - window.height() / 2));
      window.setProperty(kPlacedProperty, true);
    }
    window.show();
  }
  window.raise();
  window.activateWindow();
}

void open_web_address(const std::string& address) {
  (void)QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace platform
