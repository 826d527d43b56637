#include "platform/toolkit/exception_box.h"

#include <QMessageBox>
#include <cctype>

#include "platform/runtime/paths.h"
#include "platform/toolkit/text.h"

namespace platform {

std::string application_title(std::string_view program_path) {
  std::string_view name = file_name_part(program_path);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) {
    title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
  }
  return title;
}

void QtExceptionBox::show(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, from_local_path(title_), from_latin1(text), QMessageBox::Ok);
  box.exec();
}

}  // namespace platform
