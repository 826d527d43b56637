// Every raw count of the three measured fields, decoded from a frame and
// compared with the quotient worked out in integers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "frame_line.h"
#include "telemetry/beacon_fields.h"
#include "telemetry/decode.h"

namespace {

using telemetry::Label;
using telemetry_test::Frame;

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string expected_voltage(unsigned raw) {
  const std::string thousandths = std::to_string(1000 + raw % 1000).substr(1);
  return padded(std::to_string(raw / 1000) + "." + thousandths, 6);
}

std::string expected_current(unsigned raw) { return padded(std::to_string(raw) + ".0", 4); }

std::string expected_temperature(unsigned raw) {
  const int count = raw > 32767 ? static_cast<int>(raw) - 65536 : static_cast<int>(raw);
  const int tenths = (std::abs(count) + 5) / 10;  // halves away from zero
  std::string text = count < 0 ? "-" : "";
  text.append(std::to_string(tenths / 10)).append(".").append(std::to_string(tenths % 10));
  return padded(text, 4);
}

// The text the decoding gives `label` for a frame whose bytes 55 to 60 hold
// `raw` in each of the three fields.
class FieldDecoder {
 public:
  std::string text_of(Label label, unsigned raw) {
    frame_.set_le(55, 2, raw).set_le(57, 2, raw).set_le(59, 2, raw);
    std::string text;
    telemetry::decode_frame("", frame_.line(), [&](const telemetry::LabelUpdate& update) {
      if (update.label == label) text = update.text.value_or("<none>");
    });
    return text;
  }

 private:
  Frame frame_;
};

TEST(NumberFields, EveryVoltageIsTheExactQuotientByAThousand) {
  FieldDecoder decoder;
  for (unsigned raw = 0; raw <= 0xFFFF; ++raw) {
    ASSERT_EQ(decoder.text_of(Label::Label7, raw), std::string(" Battery voltage: ") + expected_voltage(raw) + " V")
        << raw;
  }
}

TEST(NumberFields, EveryCurrentIsTheCountWithOneZeroDecimal) {
  FieldDecoder decoder;
  for (unsigned raw = 0; raw <= 0xFFFF; ++raw) {
    ASSERT_EQ(decoder.text_of(Label::Label8, raw), std::string(" Battery current: ") + expected_current(raw) + " mA")
        << raw;
  }
}

TEST(NumberFields, EveryTemperatureIsTheSignedHundredthsRoundedHalfAwayFromZero) {
  FieldDecoder decoder;
  for (unsigned raw = 0; raw <= 0xFFFF; ++raw) {
    ASSERT_EQ(decoder.text_of(Label::Label9, raw), std::string(" Temperature: ") + expected_temperature(raw) + " \xB0" "C")
        << raw;
  }
}

TEST(NumberFields, ExamplesOfTheFieldCounts) {
  const struct {
    std::uint8_t low, high;
    const char* voltage;
    const char* current;
    const char* temperature;
  } cases[] = {
      {0x80, 0x0E, " 3.712", "3712.0", "37.1"},
      {0xE0, 0x2E, "12.000", "12000.0", "120.0"},
      {0x00, 0x00, " 0.000", " 0.0", " 0.0"},
      {0x05, 0x00, " 0.005", " 5.0", " 0.1"},
      {0xFF, 0xFF, "65.535", "65535.0", "-0.0"},
      {0x9C, 0xFF, "65.436", "65436.0", "-1.0"},
      {0x29, 0x09, " 2.345", "2345.0", "23.5"},
      {0xF3, 0xFD, "65.011", "65011.0", "-5.3"},
      {0xFC, 0xFF, "65.532", "65532.0", "-0.0"},
      {0xFF, 0x7F, "32.767", "32767.0", "327.7"},
      {0x00, 0x80, "32.768", "32768.0", "-327.7"},
  };
  for (const auto& c : cases) {
    const std::uint16_t raw = static_cast<std::uint16_t>(c.low | c.high << 8);
    EXPECT_EQ(telemetry::voltage_text(raw), c.voltage) << raw;
    EXPECT_EQ(telemetry::current_text(raw), c.current) << raw;
    EXPECT_EQ(telemetry::temperature_text(raw), c.temperature) << raw;
  }
}

}  // namespace
