#include "ui/main_window.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QShowEvent>
#include <algorithm>
#include <optional>

#include "capture/capture_reader.h"
#include "capture/hex_export.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"
#include "platform/runtime/paths.h"
#include "platform/toolkit/fonts.h"
#include "platform/toolkit/handler_guard.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/open_dialog.h"
#include "platform/toolkit/text.h"
#include "platform/toolkit/up_down.h"
#include "platform/toolkit/windows.h"
#include "telemetry/decode.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/load_texts.h"

namespace ui {

namespace {

constexpr const char* kCaption = " VozezAroroze-1 decoder  V1.0   by Olvarek";
constexpr const char* kOpenFilter = "Kiss files (*.kss)|*.KSS;*.kss";
constexpr const char* kLabel4Hint = "List of received thumbnails, puzzles or other scheduled images";

// The labels, from the top of the window down.
struct LabelRow {
  platform::Label* TForm1::*member;
  const char* name;
  int left, top;
  const char* text;
  bool bold;
};
constexpr LabelRow kLabels[] = {
    {&TForm1::Label20, "Label20", 24, 48, "Label20", true},
    {&TForm1::Label4, "Label4", 312, 48, "label4", true},
    {&TForm1::Label2, "Label2", 24, 80, "Choose the frame to be decoded:", true},
    {&TForm1::Label1, "Label1", 224, 80, "0", true},
    {&TForm1::Label14, "Label14", 16, 128, "AX.25:", false},
    {&TForm1::Label5, "Label5", 24, 160, "Label5", true},
    {&TForm1::Label16, "Label16", 24, 192, "Label16", false},
    {&TForm1::Label15, "Label15", 128, 192, "Label15", false},
    {&TForm1::Label17, "Label17", 320, 192, "Label17", false},
    {&TForm1::Label18, "Label18", 432, 192, "Label18", false},
    {&TForm1::Label13, "Label13", 16, 264, "Data:", false},
    {&TForm1::Label6, "Label6", 24, 296, "Label6", true},
    {&TForm1::Label3, "Label3", 312, 296, "Label3", true},
    {&TForm1::Label7, "Label7", 24, 336, "Label7", true},
    {&TForm1::Label8, "Label8", 312, 336, "Label8", true},
    {&TForm1::Label9, "Label9", 24, 376, "Label9", true},
    {&TForm1::Label10, "Label10", 312, 376, "Label10", true},
    {&TForm1::Label11, "Label11", 24, 416, "Label11", true},
    {&TForm1::Label12, "Label12", 312, 416, "Label12", true},
};

// The other controls: left, top, width, height.
constexpr QRect kEdit1{8, 8, 545, 21};
constexpr QRect kUpDown1{248, 72, 20, 25};
constexpr QRect kBevel1{8, 120, 545, 113};
constexpr QRect kBevel2{8, 256, 545, 193};
constexpr QRect kImage1{64, 40, 436, 405};

// Bottom to top: the picture covers the bevels and Label4, Label1, Label2 and
// Label3; the other labels are drawn over it; Edit1 and UpDown1 lie on top.
constexpr const char* kPaintOrder[] = {
    "Bevel2",  "Bevel1",  "Label4",  "Label1",  "Label2",  "Label3",  "Image1",  "Label5",
    "Label7",  "Label9",  "Label8",  "Label10", "Label11", "Label20", "Label12", "Label6",
    "Label13", "Label14", "Label15", "Label16", "Label17", "Label18", "Edit1",   "UpDown1",
};

// The labels that the decoding writes.
constexpr std::pair<telemetry::Label, platform::Label * TForm1::*> kDecodedLabels[] = {
    {telemetry::Label::Label20, &TForm1::Label20}, {telemetry::Label::Label3, &TForm1::Label3},
    {telemetry::Label::Label6, &TForm1::Label6},   {telemetry::Label::Label7, &TForm1::Label7},
    {telemetry::Label::Label8, &TForm1::Label8},   {telemetry::Label::Label9, &TForm1::Label9},
    {telemetry::Label::Label10, &TForm1::Label10}, {telemetry::Label::Label11, &TForm1::Label11},
    {telemetry::Label::Label12, &TForm1::Label12}, {telemetry::Label::Label15, &TForm1::Label15},
    {telemetry::Label::Label16, &TForm1::Label16}, {telemetry::Label::Label17, &TForm1::Label17},
    {telemetry::Label::Label18, &TForm1::Label18},
};

QFrame* make_bevel(QWidget* parent, const QRect& place) {
  auto* bevel = new QFrame(parent);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setGeometry(place);
  return bevel;
}

}  // namespace

TForm1::TForm1(platform::OpenDialog& open_dialog, platform::ExceptionBox& exception_box)
    : OpenDialog2(open_dialog), exception_box_(exception_box) {
  setWindowTitle(QString::fromLatin1(kCaption));
  // Fixed single border: minimise and close, no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(platform::window_font());
  build_menu();
  build_controls();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  for (capture::LineList* memo : {&memos.Memo1, &memos.Memo2, &memos.Memo3, &memos.Memo4}) {
    memo->append("Memo1");
  }
}

TForm1::~TForm1() = default;

void TForm1::set_secondary_windows(TForm2* about, TForm3* help_window) {
  Form2_ = about;
  Form3_ = help_window;
}

void TForm1::build_menu() {
  QMenuBar* bar = menuBar();
  File1 = bar->addMenu(QStringLiteral(" File"));
  OpenKSSfile1 = File1->addAction(QStringLiteral("Open .KSS file"));
  Writehexfile1 = File1->addAction(QStringLiteral("Write .HEX file"));
  Exit1 = File1->addAction(QStringLiteral("Exit"));
  help = bar->addAction(QStringLiteral(" Help"));
  About1 = bar->addAction(QStringLiteral(" About"));
  Writehexfile1->setEnabled(false);
  const struct {
    QAction* action;
    const char* name;
    void (TForm1::*handler)();
  } items[] = {
      {OpenKSSfile1, "OpenKSSfile1", &TForm1::OpenKSSfile1Click},
      {Writehexfile1, "Writehexfile1", &TForm1::Writehexfile1Click},
      {Exit1, "Exit1", &TForm1::Exit1Click},
      {help, "help", &TForm1::helpClick},
      {About1, "About1", &TForm1::About1Click},
  };
  for (const auto& item : items) {
    item.action->setObjectName(QString::fromLatin1(item.name));
    connect(item.action, &QAction::triggered, this,
            [this, handler = item.handler] { run_guarded([this, handler] { (this->*handler)(); }); });
  }
  File1->setObjectName(QStringLiteral("File1"));
}

void TForm1::build_controls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  Edit1 = new QLineEdit(client);
  Edit1->setReadOnly(true);
  Edit1->setGeometry(kEdit1);
  Edit1->setObjectName(QStringLiteral("Edit1"));

  for (const LabelRow& row : kLabels) {
    auto* label = new platform::Label(client);
    label->setObjectName(QString::fromLatin1(row.name));
    label->setFont(platform::window_font(row.bold));
    label->move(row.left, row.top);
    label->set_caption_latin1(row.text);
    this->*row.member = label;
  }
  Label4->setToolTip(QString::fromLatin1(kLabel4Hint));

  UpDown1 = new platform::UpDown(client);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(kUpDown1);
  UpDown1->set_minimum(1);
  UpDown1->set_position(1);
  UpDown1->OnClick = [this](platform::UpDown::Button) { run_guarded([this] { UpDown1Click(); }); };

  Bevel1 = make_bevel(client, kBevel1);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel2 = make_bevel(client, kBevel2);
  Bevel2->setObjectName(QStringLiteral("Bevel2"));

  Image1 = new QLabel(client);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(QPixmap(QStringLiteral(":/ui/satellite.jpg")));
  Image1->setGeometry(kImage1);

  for (const char* name : kPaintOrder) {
    client->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)->raise();
  }
  // The frame controls appear with the first chosen file.
  for (QWidget* control : std::initializer_list<QWidget*>{Bevel1, Bevel2, Label13, Label14, Label20}) {
    control->hide();
  }
  setTabOrder(Edit1, UpDown1);
  Edit1->setFocus();
}

template <class Handler>
void TForm1::run_guarded(Handler handler) {
  platform::guarded(exception_box_, handler);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) run_guarded([this] { FormShow(); });
}

void TForm1::FormShow() {
  memos.Memo1.clear();
  memos.Memo2.clear();
  memos.Memo3.clear();
  apaga();
  start_dir = platform::current_directory();
}

void TForm1::apaga() {
  Image1->show();
  for (QWidget* control : std::initializer_list<QWidget*>{Label2, Label3, UpDown1, Label1, Label4, Label5,
                                                          Label6, Label7, Label8, Label9, Label18, Label10,
                                                          Label11, Label12, Label15, Label16, Label17}) {
    control->hide();
  }
}

void TForm1::OpenKSSfile1Click() {
  OpenDialog2.filter = kOpenFilter;
  apaga();
  if (!OpenDialog2.execute(this)) return;

  for (QWidget* control :
       std::initializer_list<QWidget*>{UpDown1, Label1, Label4, Label5, Label6, Label7, Label8, Label9,
                                       Label20, Label13, Label14, Bevel1, Bevel2}) {
    control->show();
  }
  repaint();  // drawn before the file is read
  UpDown1->set_position(1);
  Label20->set_caption(QString());
  Edit1->setText(OpenDialog2.file_name);

  const std::string path = platform::to_local_path(OpenDialog2.file_name);
  platform::CaptureFile capture(path);
  memos.clear();
  hex_path = hex_path_for(start_dir, path);

  if (capture.size() == 0) {
    capture.close();
    apaga();
    Image1->hide();
    Label5->show();
    Writehexfile1->setEnabled(false);
    Label5->set_caption(platform::from_local_path(empty_file_caption(path)));
    return;
  }
  platform::set_current_directory(start_dir);
  Writehexfile1->setEnabled(true);

  // The window is not repainted while the file is read, so the count is
  // shown once, when reading has ended or failed.
  std::optional<std::int32_t> counted;
  const auto show_count = [&] {
    if (counted) Label4->set_caption(QString::number(*counted));
  };
  try {
    capture::carrega(capture, memos, [&counted](std::int32_t count) { counted = count; });
  } catch (...) {
    show_count();
    // The frames completed before the failure stay usable: unescaped for the
    // .HEX file, and the selector cannot step past them.
    capture::restaura(memos);
    UpDown1->set_maximum(frame_count);
    throw;
  }
  show_count();
  capture::restaura(memos);

  const bool selector = frame_count != 1;
  UpDown1->setVisible(selector);
  Label2->setVisible(selector);
  Label1->setVisible(selector);
  UpDown1->set_position(1);
  UpDown1->set_maximum(frame_count);

  if (frame_count == 0) {
    apaga();
    Label5->show();
    Image1->hide();
    Label5->set_caption_latin1(kNotFromSatelliteCaption);
    Writehexfile1->setEnabled(false);
    return;
  }
  Label5->set_caption_latin1(source_destination_caption(memos.Memo3.line(1)));
  Label4->set_caption_latin1(frame_count_caption(frame_count));
  frame_no = 1;
  Image1->hide();
  Label1->set_caption(QString::number(frame_no));
  calcula();
}

void TForm1::UpDown1Click() {
  UpDown1->set_maximum(frame_count);
  frame_no = UpDown1->position();
  Label1->set_caption(QString::number(frame_no));
  calcula();
}

void TForm1::Writehexfile1Click() {
  capture::write_hex_file(hex_path, memos.Memo3, frame_count);
  Edit1->setText(QStringLiteral(" Writing ") + platform::from_local_path(platform::file_name_part(hex_path)));
}

void TForm1::Exit1Click() { close(); }

void TForm1::helpClick() {
  if (Form3_) platform::show_modeless(*Form3_, *this);
}

void TForm1::About1Click() {
  if (Form2_) platform::show_modeless(*Form2_, *this);
}

void TForm1::calcula() {
  telemetry::decode_frame(memos.Memo4.line(frame_no), memos.Memo3.line(frame_no),
                          [this](const telemetry::LabelUpdate& update) { apply(update); });
}

void TForm1::apply(const telemetry::LabelUpdate& update) {
  platform::Label* label = label_for(update.label);
  if (!label) return;
  if (update.text) label->set_caption_latin1(*update.text);
  if (update.make_visible) label->show();
}

platform::Label* TForm1::label_for(telemetry::Label label) const {
  for (const auto& [decoded, member] : kDecodedLabels) {
    if (decoded == label) return this->*member;
  }
  return nullptr;
}

}  // namespace ui
