#include "platform/toolkit/windows.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {
constexpr const char* kPlacedProperty = "tapir_placed";
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
