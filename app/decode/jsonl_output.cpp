#include "app/decode/jsonl_output.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include "telemetry/label_update.h"

namespace decode_cli {

namespace {

// QJsonObject keeps its keys sorted, so the objects are put together here in
// their fixed order, while Qt writes (and escapes) every value.
class JsonLine {
 public:
  JsonLine& add(const char* key, const QJsonValue& value) {
    line_ += line_.isEmpty() ? "{\"" : ",\"";
    line_ += key;
    line_ += "\":";
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    line_ += QByteArrayView(wrapped).sliced(1, wrapped.size() - 2);  // drop the array's brackets
    return *this;
  }
  void write(std::ostream& out) {
    line_ += "}\n";
    out.write(line_.constData(), line_.size());
  }

 private:
  QByteArray line_;
};

QJsonValue optional_text(const std::optional<std::string>& bytes, QString (*convert)(std::string_view)) {
  return bytes ? QJsonValue(convert(*bytes)) : QJsonValue(QJsonValue::Null);
}

QJsonValue message_or_null(const std::optional<std::string>& message) {
  return message ? QJsonValue(QString::fromStdString(*message)) : QJsonValue(QJsonValue::Null);
}

}  // namespace

void JsonlOutput::capture(const LoadedCapture& loaded) {
  const auto& lists = loaded.lists;
  JsonLine()
      .add("type", QStringLiteral("capture"))
      .add("capture", QFile::decodeName(QByteArray::fromStdString(loaded.path)))
      .add("frames", static_cast<qint64>(lists.Memo1.size()))
      .add("satellite_frames", lists.frame_count)
      .add("time_stamp_frames", static_cast<qint64>(lists.Memo4.size()))
      .add("error", message_or_null(loaded.error))
      .add("Label5", optional_text(loaded.label5, caption_text))
      .add("Label4", optional_text(loaded.label4, caption_text))
      .write(out_);
}

void JsonlOutput::frame(const LoadedCapture&, std::int32_t k, const FrameDecoding& decoding) {
  QJsonArray updates;
  for (const telemetry::LabelUpdate& update : decoding.updates) {
    const std::string_view name = telemetry::label_name(update.label);
    updates.append(QJsonArray{QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                              optional_text(update.text, label_text)});
  }
  JsonLine()
      .add("type", QStringLiteral("frame"))
      .add("frame", k)
      .add("updates", updates)
      .add("error", message_or_null(decoding.error))
      .write(out_);
}

}  // namespace decode_cli
