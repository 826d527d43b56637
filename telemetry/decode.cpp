#include "telemetry/decode.h"

#include "capture/hex_text.h"
#include "platform/runtime/caption.h"
#include "platform/runtime/date_time.h"
#include "platform/runtime/number_text.h"
#include "telemetry/beacon_fields.h"

namespace telemetry {

namespace {

using StepText = std::optional<std::string> (*)(std::string_view line);

struct BeaconStep {
  Label label;
  bool make_visible;
  StepText text;
};

std::string header_byte(std::string_view line, std::size_t byte) {
  return std::string(capture::byte_digits(line, byte));
}

std::uint16_t count16(std::string_view line, std::size_t first_byte) {
  return static_cast<std::uint16_t>(field_value(line, first_byte, first_byte + 1));
}

// The beacon steps in the order the labels are set; each reads its own
// bytes, so a frame too short for a step throws there.
constexpr BeaconStep kBeaconSteps[] = {
    {Label::Label3, true,
     [](std::string_view line) -> std::optional<std::string> {
       const double day_count = platform::unix_to_day_count(field_value(line, 51, 54));
       return " TimeStamp : " + platform::date_time_text(day_count);
     }},
    {Label::Label6, true,
     [](std::string_view line) -> std::optional<std::string> {
       return " Message: " + field_characters(line, 21, 50);
     }},
    {Label::Label7, false,  // made visible by the Open command, never here
     [](std::string_view line) -> std::optional<std::string> {
       return " Battery voltage: " + voltage_text(count16(line, 55)) + " V";
     }},
    {Label::Label8, true,
     [](std::string_view line) -> std::optional<std::string> {
       return " Battery current: " + current_text(count16(line, 57)) + " mA";
     }},
    {Label::Label9, true,
     [](std::string_view line) -> std::optional<std::string> {
       return " Temperature: " + temperature_text(count16(line, 59)) + " \xB0" "C";
     }},
    {Label::Label10, true,
     [](std::string_view line) { return mode_text(capture::byte_digits(line, 61)); }},
    {Label::Label11, true,
     [](std::string_view line) -> std::optional<std::string> {
       return " Boot counter: " + platform::integer_text(field_value(line, 62, 63));
     }},
    {Label::Label12, true,
     [](std::string_view line) -> std::optional<std::string> {
       return " Rejected commands: " + platform::integer_text(field_value(line, 64, 65));
     }},
    {Label::Label15, true,
     [](std::string_view line) -> std::optional<std::string> { return "dest_ssid: " + header_byte(line, 7); }},
    {Label::Label16, true,
     [](std::string_view line) -> std::optional<std::string> { return "src_ssid: " + header_byte(line, 14); }},
    {Label::Label17, true,
     [](std::string_view line) -> std::optional<std::string> { return "ctl: " + header_byte(line, 15); }},
    {Label::Label18, true,
     [](std::string_view line) -> std::optional<std::string> { return "pid: " + header_byte(line, 16); }},
};

// A label keeps its text up to its first zero character; the update carries
// what the label will show.
std::optional<std::string> as_shown(std::optional<std::string> text) {
  if (text) text->resize(platform::shown_text(*text).size());
  return text;
}

}  // namespace

void decode_frame(std::string_view time_stamp_line, std::string_view frame_line,
                  const UpdateSink& apply) {
  if (auto date = reception_date(time_stamp_line)) {
    apply(LabelUpdate{Label::Label20, as_shown(std::move(date)), false});
  }
  for (const auto& step : kBeaconSteps) {
    apply(LabelUpdate{step.label, as_shown(step.text(frame_line)), step.make_visible});
  }
}

}  // namespace telemetry
