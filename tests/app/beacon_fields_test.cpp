#include "app/decode/beacon_fields.h"

#include <gtest/gtest.h>

#include "capture/hex_text.h"
#include "tests/support/kiss_fixture.h"

namespace {

using decode_cli::read_beacon_fields;

std::string hex_line(std::string_view bytes) {
  std::string line;
  for (char c : bytes) line += capture::hexa(static_cast<std::uint8_t>(c)) + " ";
  return line;
}

TEST(BeaconFields, ExactNumberTexts) {
  const struct {
    std::uint32_t raw;
    const char* text;
  } voltages[] = {{3712, "3.712"}, {12000, "12.000"}, {0, "0.000"}, {5, "0.005"}, {65535, "65.535"}};
  for (const auto& c : voltages) EXPECT_EQ(decode_cli::thousandths_text(c.raw), c.text) << c.raw;

  const struct {
    std::int32_t raw;
    const char* text;
  } temperatures[] = {{2345, "23.45"}, {-525, "-5.25"}, {-4, "-0.04"}, {0, "0.00"},
                      {32767, "327.67"}, {-32768, "-327.68"}, {-100, "-1.00"}};
  for (const auto& c : temperatures) EXPECT_EQ(decode_cli::hundredths_text(c.raw), c.text) << c.raw;
}

TEST(BeaconFields, SatelliteTimeInIso8601Utc) {
  EXPECT_EQ(decode_cli::iso8601_utc(0x60503DA0), "2021-03-16T05:09:52Z");
  EXPECT_EQ(decode_cli::iso8601_utc(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(decode_cli::iso8601_utc(0xFFFFFFFF), "2106-02-07T06:28:15Z");
}

TEST(BeaconFields, ModeNames) {
  EXPECT_EQ(decode_cli::mode_name("03"), "NOMINAL");
  EXPECT_EQ(decode_cli::mode_name("02"), "LEOP");
  EXPECT_EQ(decode_cli::mode_name("01"), "SAFE");
  EXPECT_EQ(decode_cli::mode_name("00"), "GROUND");
  EXPECT_EQ(decode_cli::mode_name("04"), "04");
}

TEST(BeaconFields, ReadsEveryFieldOfAWholeBeacon) {
  fixture::Beacon beacon;
  beacon.voltage_mv = 3712;
  beacon.current_ma = 65535;
  beacon.temperature_centi = -525;
  beacon.boot_counter = 0x1234;
  beacon.rejected_commands = 0xFFFF;
  const auto fields = read_beacon_fields(hex_line(fixture::beacon_bytes(beacon)));
  EXPECT_EQ(fields.satellite_time, 0x60503DA0u);
  EXPECT_EQ(fields.message, std::string("HELLO") + std::string(25, '\0'));
  EXPECT_EQ(fields.battery_voltage_mv, 3712u);
  EXPECT_EQ(fields.battery_current_ma, 65535u);
  EXPECT_EQ(fields.temperature_centi_c, -525);
  EXPECT_EQ(fields.mode_digits, "03");
  EXPECT_EQ(fields.boot_counter, 0x1234u);
  EXPECT_EQ(fields.rejected_commands, 65535u);
  EXPECT_EQ(fields.dest_ssid, "60");
  EXPECT_EQ(fields.src_ssid, "E1");
  EXPECT_EQ(fields.ctl, "03");
  EXPECT_EQ(fields.pid, "F0");
}

TEST(BeaconFields, ShortFramesGiveWhatTheirBytesHold) {
  fixture::Beacon beacon;
  beacon.rejected_commands = 0x0302;
  beacon.temperature_centi = -4;  // FC FF
  const std::string whole = fixture::beacon_bytes(beacon);

  // 64 bytes: the rejected-command count is byte 64 alone, as the window reads it.
  auto fields = read_beacon_fields(hex_line(whole.substr(0, 64)));
  EXPECT_EQ(fields.rejected_commands, 0x02u);
  EXPECT_EQ(fields.boot_counter, 7u);

  // 59 bytes: the temperature is byte 59 alone (FC), positive; nothing after it.
  fields = read_beacon_fields(hex_line(whole.substr(0, 59)));
  EXPECT_EQ(fields.temperature_centi_c, 0xFC);
  EXPECT_FALSE(fields.mode_digits);
  EXPECT_FALSE(fields.boot_counter);
  EXPECT_FALSE(fields.rejected_commands);

  // 50 bytes: no satellite time, but the message is whole.
  fields = read_beacon_fields(hex_line(whole.substr(0, 50)));
  EXPECT_FALSE(fields.satellite_time);
  EXPECT_FALSE(fields.battery_voltage_mv);
  EXPECT_EQ(fields.message->substr(0, 5), "HELLO");
  EXPECT_EQ(fields.pid, "F0");

  fields = read_beacon_fields("");
  EXPECT_FALSE(fields.message);
  EXPECT_FALSE(fields.dest_ssid);
}

}  // namespace
