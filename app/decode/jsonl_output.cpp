#include "app/decode/jsonl_output.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <array>

#include "telemetry/label_update.h"

namespace decode_cli {

namespace {

// QJsonObject keeps its keys sorted, so the objects are put together here in
// their fixed order. Qt writes (and escapes) every text and array; numbers and
// null need no escaping.
class JsonLine {
 public:
  JsonLine() { line_.reserve(1024); }  // a frame's line, whole
  JsonLine& add(const char* key, const QJsonValue& value) {
    if (value.isNull()) return add_json(key, "null");
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return add_json(key, QByteArrayView(wrapped).sliced(1, wrapped.size() - 2));  // drop the brackets
  }
  JsonLine& add(const char* key, qint64 number) { return add_json(key, QByteArray::number(number)); }
  // A value already written as JSON.
  JsonLine& add_json(const char* key, QByteArrayView json) {
    line_ += line_.isEmpty() ? "{\"" : ",\"";
    line_ += key;
    line_ += "\":";
    line_ += json;
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

// The names are made once: a copied QString shares its text.
const QString& json_label_name(telemetry::Label label) {
  static const auto names = [] {
    std::array<QString, static_cast<std::size_t>(telemetry::Label::Label18) + 1> made;
    for (std::size_t i = 0; i < made.size(); ++i) {
      const std::string_view name = telemetry::label_name(static_cast<telemetry::Label>(i));
      made[i] = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return made;
  }();
  return names.at(static_cast<std::size_t>(label));
}

}  // namespace

void JsonlOutput::capture(const LoadedCapture& loaded) {
  const auto& lists = loaded.lists;
  JsonLine()
      .add_json("type", "\"capture\"")
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
    updates.append(QJsonArray{json_label_name(update.label), optional_text(update.text, label_text)});
  }
  JsonLine()
      .add_json("type", "\"frame\"")
      .add("frame", k)
      .add("updates", updates)
      .add("error", message_or_null(decoding.error))
      .write(out_);
}

}  // namespace decode_cli
