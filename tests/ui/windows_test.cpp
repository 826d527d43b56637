// The main window at start, its menu and layout; the About and Help windows;
// Exit.

#include "platform/toolkit/windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTimer>

#include "platform/toolkit/static_text.h"
#include "tests/ui/window_fixture.h"

namespace tests {
namespace {

using MainWindow = WindowTest;
using SecondaryWindows = WindowTest;

QWidget* control(ui::TForm1& form, const char* name) {
  return form.centralWidget()->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

TEST_F(MainWindow, Properties) {
  EXPECT_EQ(form().windowTitle().toStdString(), " VozezAroroze-1 decoder  V1.0   by Olvarek");
  EXPECT_EQ(form().centralWidget()->size(), QSize(561, 456));
  EXPECT_EQ(form().minimumSize(), form().maximumSize());  // not resizable
  EXPECT_FALSE(form().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(control(form(), "Image1")->size(), QSize(436, 405));
  EXPECT_FALSE(qobject_cast<QLabel*>(control(form(), "Image1"))->pixmap().isNull());

  platform::centre_on_screen(form());  // as the program does before showing it
  const QPoint screen_centre = form().screen()->availableGeometry().center();
  EXPECT_LE((form().geometry().center() - screen_centre).manhattanLength(), 4);
}

TEST_F(MainWindow, LayoutTextsAndWeights) {
  const struct {
    const char* name;
    int left, top;
    const char* text;
    bool bold;
  } labels[] = {
      {"Label20", 24, 48, "Label20", true},
      {"Label4", 312, 48, "label4", true},
      {"Label2", 24, 80, "Choose the frame to be decoded:", true},
      {"Label1", 224, 80, "0", true},
      {"Label14", 16, 128, "AX.25:", false},
      {"Label5", 24, 160, "Label5", true},
      {"Label18", 432, 192, "Label18", false},
      {"Label13", 16, 264, "Data:", false},
      {"Label6", 24, 296, "Label6", true},
      {"Label12", 312, 416, "Label12", true},
  };
  for (const auto& l : labels) {
    const auto* label = static_cast<platform::Label*>(control(form(), l.name));
    ASSERT_NE(label, nullptr) << l.name;
    EXPECT_EQ(label->pos(), QPoint(l.left, l.top)) << l.name;
    EXPECT_EQ(label->height(), 13) << l.name;
    EXPECT_EQ(label->caption().toStdString(), l.text);
    EXPECT_EQ(label->font().bold(), l.bold) << l.name;
    EXPECT_EQ(label->font().pixelSize(), 11);
  }
  EXPECT_EQ(control(form(), "Edit1")->geometry(), QRect(8, 8, 545, 21));
  EXPECT_EQ(control(form(), "UpDown1")->geometry(), QRect(248, 72, 20, 25));
  EXPECT_EQ(control(form(), "Bevel2")->geometry(), QRect(8, 256, 545, 193));
}

TEST_F(MainWindow, PictureCoversTheBevelsAndFourLabelsOnly) {
  const QObjectList& stack = form().centralWidget()->children();  // bottom to top
  const auto level = [&](const char* name) { return stack.indexOf(control(form(), name)); };
  for (const char* below : {"Bevel2", "Bevel1", "Label4", "Label1", "Label2", "Label3"}) {
    EXPECT_LT(level(below), level("Image1")) << below;
  }
  for (const char* above :
       {"Label5", "Label6", "Label7", "Label13", "Label18", "Label20", "Edit1", "UpDown1"}) {
    EXPECT_GT(level(above), level("Image1")) << above;
  }
  EXPECT_GT(level("Edit1"), level("Label18"));
  EXPECT_GT(level("UpDown1"), level("Label18"));
}

TEST_F(MainWindow, StartState) {
  for (QWidget* child : form().centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const std::string name = child->objectName().toStdString();
    EXPECT_EQ(child->isVisible(), name == "Edit1" || name == "Image1") << name;
  }
  EXPECT_EQ(edit1(), "");
  EXPECT_FALSE(form().Writehexfile1->isEnabled());
  EXPECT_TRUE(form().memos.Memo1.empty());
  EXPECT_TRUE(form().memos.Memo3.empty());
  ASSERT_EQ(form().memos.Memo4.size(), 1u);  // FormShow leaves it
  EXPECT_EQ(form().memos.Memo4.line(1), "Memo1");
  EXPECT_EQ(form().start_dir, start_dir().string());
  EXPECT_EQ(form().frame_count, 0);
  EXPECT_EQ(form().frame_no, 0);
  EXPECT_EQ(form().hex_path, "");
}

TEST_F(MainWindow, MenuWithoutShortcutsAndOneHint) {
  const QList<QAction*> bar = form().menuBar()->actions();
  ASSERT_EQ(bar.size(), 3);
  EXPECT_EQ(bar[0]->text().toStdString(), " File");
  EXPECT_EQ(bar[1], form().help);
  EXPECT_EQ(bar[2], form().About1);
  EXPECT_EQ(form().help->text().toStdString(), " Help");
  EXPECT_EQ(form().About1->text().toStdString(), " About");
  EXPECT_EQ(form().help->menu(), nullptr);  // acts at once, no drop-down
  const QList<QAction*> file = form().File1->actions();
  ASSERT_EQ(file.size(), 3);
  EXPECT_EQ(file[0]->text().toStdString(), "Open .KSS file");
  EXPECT_EQ(file[1]->text().toStdString(), "Write .HEX file");
  EXPECT_EQ(file[2]->text().toStdString(), "Exit");
  for (QAction* action : form().findChildren<QAction*>()) {
    EXPECT_TRUE(action->shortcuts().isEmpty()) << action->text().toStdString();
    EXPECT_FALSE(action->text().contains(QLatin1Char('&'))) << action->text().toStdString();
  }
  for (QWidget* child : form().findChildren<QWidget*>()) {
    const bool hinted = !child->toolTip().isEmpty();
    EXPECT_EQ(hinted, child == form().Label4) << child->objectName().toStdString();
  }
  EXPECT_EQ(form().Label4->toolTip().toStdString(),
            "List of received thumbnails, puzzles or other scheduled images");
}

TEST_F(SecondaryWindows, HelpTextLineByLine) {
  form().help->trigger();
  ASSERT_TRUE(help().isVisible());
  std::vector<QString> lines;
  for (QTextBlock block = help().Memo1->document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text());
  }
  const std::vector<QString> expected = {
      "",
      "Decodes *.kss files from the VozezAroroze-1 satellite.",
      "",
      "\"Open .KSS file\" allows you to decode *.kss files generated by AGWonlineKISSplus ",
      "or GetKISS+ (from Zorvik) connected via Winsock to the Marlune High-Speed SoundModem.",
      "",
      "These *.kss files contain KISS encoded binary data.",
      "",
      "\"Write .HEX file\" allows to write the KISS decoded hexadecimal data ",
      "to a file with the same open file name but with extension .HEX to the decorder directory.",
      "",
      "",
      QChar(0xA0) + QStringLiteral("      Note: this is an experimental program by Olvarek."),
      "",
      "",  // after the last line break
  };
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(help().Memo1->hasFocus() || help().focusWidget() == help().Memo1);
}

TEST_F(SecondaryWindows, HelpTextIsRebuiltOnlyWhenTheWindowIsShownAgain) {
  form().help->trigger();
  help().Memo1->appendPlainText("typed by the user");
  form().help->trigger();  // already open: only brought to the front
  EXPECT_TRUE(help().Memo1->toPlainText().contains("typed by the user"));
  help().close();
  EXPECT_FALSE(help().isVisible());
  form().help->trigger();
  EXPECT_FALSE(help().Memo1->toPlainText().contains("typed by the user"));
}

TEST_F(SecondaryWindows, BothOpenBesideAUsableMainWindow) {
  form().About1->trigger();
  form().help->trigger();
  EXPECT_TRUE(about().isVisible());
  EXPECT_TRUE(help().isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(about().windowTitle().toStdString(), " About");
  EXPECT_EQ(help().windowTitle().toStdString(), " Help");
  EXPECT_EQ(about().size(), QSize(352, 145));
  EXPECT_EQ(help().size(), QSize(478, 316));

  open(capture("two.kss", beacons(2)));
  EXPECT_EQ(form().frame_count, 2);
  next();
  EXPECT_EQ(form().frame_no, 2);
  EXPECT_TRUE(about().isVisible());
  EXPECT_TRUE(help().isVisible());
}

TEST_F(SecondaryWindows, FirstShownCentredThenWhereTheUserLeftIt) {
  form().move(100, 100);
  form().About1->trigger();
  const QPoint centre = form().frameGeometry().center();
  EXPECT_LE((about().geometry().center() - centre).manhattanLength(), 4);  // rounding of odd sizes
  about().move(40, 30);
  about().close();
  form().About1->trigger();
  EXPECT_EQ(about().pos(), QPoint(40, 30));
}

TEST_F(SecondaryWindows, LinkOpensTheProjectPage) {
  std::vector<std::string> opened;
  about().open_address = [&](const std::string& address) { opened.push_back(address); };
  form().About1->trigger();
  platform::StaticText* address = about().StaticText2;
  EXPECT_EQ(address->text().toStdString(), ui::TForm2::kShownAddress);
  EXPECT_EQ(address->cursor().shape(), Qt::PointingHandCursor);
  const QPointF inside(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, inside, address->mapToGlobal(inside), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, inside, address->mapToGlobal(inside), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(address, &press);
  QApplication::sendEvent(address, &release);
  EXPECT_EQ(opened, std::vector<std::string>{ui::TForm2::kOpenedAddress});
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(SecondaryWindows, ExitEndsTheProgramWithBothOpen) {
  bool timed_out = false;
  QTimer::singleShot(0, [&] {
    form().About1->trigger();
    form().help->trigger();
    form().Exit1->trigger();
  });
  QTimer::singleShot(5000, [&] {
    timed_out = true;
    QApplication::exit(1);
  });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timed_out);
  EXPECT_FALSE(form().isVisible());
}

}  // namespace
}  // namespace tests
