#include "platform/toolkit/open_dialog.h"

#include <QFileDialog>

namespace platform {

QString name_filter(const std::string& filter) {
  const QString text = QString::fromStdString(filter);
  const auto bar = text.indexOf(QLatin1Char('|'));
  if (bar < 0) return text;
  QString patterns = text.mid(bar + 1);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return text.left(bar) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

bool QtOpenDialog::execute(QWidget* owner) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The label already names the pattern; the patterns are shown only in the list.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilter(name_filter(filter));
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  file_name = chosen.front();
  return true;
}

}  // namespace platform
