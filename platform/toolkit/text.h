#pragma once
// Window texts: the decoding hands over bytes of the window's single-byte
// character set (Latin-1); a caption or text box keeps its text up to its
// first character of code 0.

#include <QString>
#include <string>
#include <string_view>

#include "platform/runtime/caption.h"

namespace platform {

inline QString from_latin1(std::string_view text) {
  const std::string_view shown = shown_text(text);
  return QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size()));
}

// For texts that carry a file path: the host's file-name encoding.
inline QString from_local_path(std::string_view text) {
  const std::string_view shown = shown_text(text);
  return QString::fromLocal8Bit(shown.data(), static_cast<qsizetype>(shown.size()));
}

inline std::string to_local_path(const QString& path) { return path.toLocal8Bit().toStdString(); }

}  // namespace platform
