#include "app/decode/output_format.h"

#include <QFile>

#include "app/decode/csv_output.h"
#include "app/decode/jsonl_output.h"
#include "app/decode/text_output.h"
#include "platform/runtime/caption.h"

namespace decode_cli {

std::optional<Format> format_from_name(const QString& name) {
  static const struct {
    const char* name;
    Format format;
  } kFormats[] = {{"text", Format::text}, {"csv", Format::csv}, {"jsonl", Format::jsonl}};
  for (const auto& entry : kFormats) {
    if (name == QLatin1String(entry.name)) return entry.format;
  }
  return std::nullopt;
}

std::unique_ptr<OutputFormat> make_output(Format format, std::ostream& out) {
  switch (format) {
    case Format::csv:
      return std::make_unique<CsvOutput>(out);
    case Format::jsonl:
      return std::make_unique<JsonlOutput>(out);
    case Format::text:
      break;
  }
  return std::make_unique<TextOutput>(out);
}

QString label_text(std::string_view bytes) {
  const std::string_view shown = platform::shown_text(bytes);
  return QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size()));
}

QString caption_text(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void write_utf8(std::ostream& out, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  out.write(utf8.constData(), utf8.size());
}

}  // namespace decode_cli
