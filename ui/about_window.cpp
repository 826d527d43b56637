#include "ui/about_window.h"

#include <QFrame>

#include "platform/toolkit/fonts.h"
#include "platform/toolkit/static_text.h"
#include "platform/toolkit/windows.h"

namespace ui {

namespace {
constexpr const char* kVersion = "V 1.0  28-04-2023";
// The author's name and a call sign that is never issued to anyone.
constexpr const char* kAuthor = "by Olvarek, N0CALL";
}  // namespace

TForm2::TForm2() : open_address(platform::open_web_address) {
  platform::make_secondary_window(*this, QStringLiteral(" About"), 352, 145);

  Panel1 = new QFrame(this);
  Panel1->setGeometry(16, 16, 321, 113);
  // A double bevel: the outer one lowered, the inner one raised.
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setMidLineWidth(1);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);

  StaticText3 = new platform::StaticText(Panel1, QString::fromLatin1(kVersion));
  StaticText3->move(112, 24);
  StaticText1 = new platform::StaticText(Panel1, QString::fromLatin1(kAuthor));
  StaticText1->move(88, 48);
  StaticText2 = new platform::StaticText(Panel1, QString::fromLatin1(kShownAddress));
  QFont link_font = platform::design_font("MS Sans Serif", 11);
  link_font.setUnderline(true);
  StaticText2->setFont(link_font);
  QPalette blue = StaticText2->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  StaticText2->setPalette(blue);
  StaticText2->setCursor(Qt::PointingHandCursor);
  StaticText2->move(96, 72);
  StaticText2->OnClick = [this] { link(); };
}

void TForm2::link() {
  if (open_address) open_address(kOpenedAddress);
}

}  // namespace ui
