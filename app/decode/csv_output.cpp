#include "app/decode/csv_output.h"

#include <QFile>

#include "app/decode/beacon_fields.h"

namespace decode_cli {

namespace {

constexpr std::string_view kHeader =
    "capture,frame,rx_date,satellite_time,message,battery_voltage_v,battery_current_ma,temperature_c,"
    "mode,boot_counter,rejected_commands,dest_ssid,src_ssid,ctl,pid,error";

constexpr std::string_view kRowEnd = "\r\n";

template <typename T, typename Convert>
std::string or_empty(const std::optional<T>& value, Convert convert) {
  return value ? std::string(convert(*value)) : std::string();
}

std::string utf8_label_text(std::string_view bytes) { return label_text(bytes).toUtf8().toStdString(); }

std::string decimal(std::uint32_t value) { return std::to_string(value); }

std::string as_is(const std::string& text) { return text; }

}  // namespace

void append_csv_field(std::string& row, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    row += field;
    return;
  }
  row += '"';
  for (char c : field) {
    if (c == '"') row += '"';
    row += c;
  }
  row += '"';
}

void CsvOutput::begin() { out_ << kHeader << kRowEnd; }

void CsvOutput::capture(const LoadedCapture& loaded) {
  capture_column_ = QFile::decodeName(QByteArray::fromStdString(loaded.path)).toUtf8().toStdString();
}

void CsvOutput::frame(const LoadedCapture& loaded, std::int32_t k, const FrameDecoding& decoding) {
  const BeaconFields fields = read_beacon_fields(loaded.lists.Memo3.line(k));
  std::string rx_date;
  for (const auto& update : decoding.updates) {
    if (update.label == telemetry::Label::Label20 && update.text) rx_date = utf8_label_text(*update.text);
  }
  const std::string columns[] = {
      capture_column_,
      std::to_string(k),
      rx_date,
      or_empty(fields.satellite_time, iso8601_utc),
      or_empty(fields.message, utf8_label_text),
      or_empty(fields.battery_voltage_mv, thousandths_text),
      or_empty(fields.battery_current_ma, decimal),
      or_empty(fields.temperature_centi_c, hundredths_text),
      or_empty(fields.mode_digits, mode_name),
      or_empty(fields.boot_counter, decimal),
      or_empty(fields.rejected_commands, decimal),
      or_empty(fields.dest_ssid, as_is),
      or_empty(fields.src_ssid, as_is),
      or_empty(fields.ctl, as_is),
      or_empty(fields.pid, as_is),
      decoding.error.value_or(std::string()),
  };
  row_.clear();
  for (const std::string& column : columns) {
    if (&column != &columns[0]) row_ += ',';
    append_csv_field(row_, column);
  }
  row_ += kRowEnd;
  out_.write(row_.data(), static_cast<std::streamsize>(row_.size()));
}

}  // namespace decode_cli
