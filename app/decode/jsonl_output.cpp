#include "app/decode/jsonl_output.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include "telemetry/label_update.h"

namespace decode_cli {

namespace {

// One value as Qt writes it in a compact document.
QByteArray json_value(const QJsonValue& value) {
  const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return wrapped.sliced(1, wrapped.size() - 2);  // drop the brackets
}

// QJsonObject keeps its keys sorted, so the objects are put together here in
// their fixed order. Qt writes (and escapes) every text and array; numbers and
// null need no escaping.
class JsonLine {
 public:
  JsonLine() { line_.reserve(1024); }  // a frame's line, whole
  JsonLine& add(const char* key, const QJsonValue& value) {
    return add_json(key, value.isNull() ? QByteArray("null") : json_value(value));
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

const QByteArray& JsonTexts::operator()(std::string_view latin1_text) {
  if (const auto known = written_.find(latin1_text); known != written_.end()) return known->second;
  if (written_.size() >= kMostRemembered) written_.clear();
  return written_.emplace(std::string(latin1_text), json_value(label_text(latin1_text))).first->second;
}

void JsonlOutput::frame(const LoadedCapture&, std::int32_t k, const FrameDecoding& decoding) {
  // [[LABEL,TEXT],...]: the brackets and commas here, every string from Qt.
  QByteArray updates = "[";
  for (const telemetry::LabelUpdate& update : decoding.updates) {
    if (updates.size() > 1) updates += ',';
    updates += '[';
    updates += texts_(telemetry::label_name(update.label));
    updates += ',';
    updates += update.text ? texts_(*update.text) : QByteArray("null");
    updates += ']';
  }
  updates += ']';
  JsonLine()
      .add_json("type", "\"frame\"")
      .add("frame", k)
      .add_json("updates", updates)
      .add("error", message_or_null(decoding.error))
      .write(out_);
}

}  // namespace decode_cli
