#include "telemetry/decode.h"

#include "capture/hex_text.h"
#include "platform/runtime/caption.h"
#include "platform/runtime/date_time.h"
#include "platform/runtime/number_text.h"
#include "telemetry/beacon_fields.h"

namespace telemetry {

namespace {

std::uint16_t count16(std::string_view line, std::size_t first_byte) {
  return static_cast<std::uint16_t>(field_value(line, first_byte, first_byte + 1));
}

// One function per step: the text its label gets from the frame line, none
// when the label keeps its text. Each reads only its own bytes, so a frame
// too short for a field throws in that field's step.
using Text = std::optional<std::string>;

Text time_stamp(std::string_view line) {
  return " TimeStamp : " + platform::date_time_text(platform::unix_to_day_count(field_value(line, 51, 54)));
}
Text message(std::string_view line) { return " Message: " + field_characters(line, 21, 50); }
Text voltage(std::string_view line) { return " Battery voltage: " + voltage_text(count16(line, 55)) + " V"; }
Text current(std::string_view line) { return " Battery current: " + current_text(count16(line, 57)) + " mA"; }
Text temperature(std::string_view line) {
  return " Temperature: " + temperature_text(count16(line, 59)) + " \xB0" "C";  // degree sign in Latin-1
}
Text mode(std::string_view line) { return mode_text(capture::byte_digits(line, 61)); }
Text boot_counter(std::string_view line) {
  return " Boot counter: " + platform::integer_text(field_value(line, 62, 63));
}
Text rejected_commands(std::string_view line) {
  return " Rejected commands: " + platform::integer_text(field_value(line, 64, 65));
}
// The header bytes are shown as their two hex digits stand in the line.
Text dest_ssid(std::string_view line) { return "dest_ssid: " + std::string(capture::byte_digits(line, 7)); }
Text src_ssid(std::string_view line) { return "src_ssid: " + std::string(capture::byte_digits(line, 14)); }
Text control(std::string_view line) { return "ctl: " + std::string(capture::byte_digits(line, 15)); }
Text protocol_id(std::string_view line) { return "pid: " + std::string(capture::byte_digits(line, 16)); }

struct BeaconStep {
  Label label;
  bool make_visible;  // false: the Open command made it visible, nothing here touches it
  Text (*text)(std::string_view line);
};

// The beacon steps in the order their labels are set.
constexpr BeaconStep kBeaconSteps[] = {
    {Label::Label3, true, time_stamp},
    {Label::Label6, true, message},
    {Label::Label7, false, voltage},
    {Label::Label8, true, current},
    {Label::Label9, true, temperature},
    {Label::Label10, true, mode},
    {Label::Label11, true, boot_counter},
    {Label::Label12, true, rejected_commands},
    {Label::Label15, true, dest_ssid},
    {Label::Label16, true, src_ssid},
    {Label::Label17, true, control},
    {Label::Label18, true, protocol_id},
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
