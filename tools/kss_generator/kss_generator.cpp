#include "tools/kss_generator/kss_generator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace kss_generator {

namespace {

constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kFesc = 0xDB;
constexpr std::uint8_t kTfend = 0xDC;
constexpr std::uint8_t kTfesc = 0xDD;
constexpr std::uint8_t kDataCommand = 0x00;
constexpr std::uint8_t kTimeStampCommand = 0x09;
constexpr std::uint8_t kUiControl = 0x03;
constexpr std::uint8_t kNoLayer3 = 0xF0;
constexpr std::size_t kMessageSize = 30;

constexpr std::uint8_t kModeSafe = 1;
constexpr std::uint8_t kModeLeop = 2;
constexpr std::uint8_t kModeNominal = 3;

constexpr std::uint64_t kDemoPassStart = 1773481267;  // 2026-03-14 09:41:07 UTC
constexpr std::int64_t kBeaconPeriodMs = 6000;
constexpr int kDemoBeacons = 100;
constexpr std::uint64_t kOrbitSeconds = 95 * 60;

// The messages the satellite cycles through; shorter ones are zero-padded.
constexpr std::array<std::string_view, 6> kMessages = {
    "VOZEZAROROZE-1 TAPIR1 BEACON  ", "HELLO FROM LEO 73 DE TAPIR1   ", "BATTERY OK PAYLOAD IDLE",
    "QSL VIA BUREAU THANKS 73 ALL  ", "NEXT CMD WINDOW ORBIT 4187    ", "CAMERA DOWNLINK PENDING"};
constexpr std::string_view kSafeModeMessage = "SAFE MODE AFTER RESET";

constexpr std::array<std::string_view, 6> kOtherStations = {"OK1KPA", "DL2ABC", "G4XYZ",
                                                            "F5DEF",  "ZS6SAT", "JA1YQX"};

void put_le(Bytes& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put_address(Bytes& out, std::string_view call, std::uint8_t ssid) {
  for (std::size_t i = 0; i < 6; ++i) {
    const char c = i < call.size() ? call[i] : ' ';
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) << 1));
  }
  out.push_back(ssid);
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civil_from_days(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

Bytes text_bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

// The satellite across passes, and the traffic of one slot of a pass: maybe
// frames of other stations, then the time stamp and the beacon.
class PassWriter {
 public:
  PassWriter(Random& random, bool mark_escapes) : random_(random), mark_escapes_(mark_escapes) {
    beacon_.sequence = 400;
    beacon_.boot_counter = 142;
    beacon_.rejected_commands = 3;
  }

  void start_pass(std::uint64_t start_s, int beacons, double other_frames_per_slot) {
    pass_start_ms_ = start_s * 1000;
    slots_ = beacons;
    slot_ = 0;
    other_frames_per_slot_ = other_frames_per_slot;
    sunlit_slots_ =
        static_cast<int>(beacons * (0.5 + 0.3 * static_cast<double>(random_.between(0, 100)) / 100));
    battery_mv_ = static_cast<double>(random_.between(3700, 3900));
    temperature_ = static_cast<double>(random_.between(-700, -500));
    clock_offset_s_ = static_cast<int>(random_.between(-3, 1));
    marked_cold_ = false;
  }

  bool pass_done() const { return slot_ >= slots_; }

  void write_slot(std::string& out) {
    const double others = other_frames_per_slot_;
    for (double left = others; left > 0; left -= 1.0) {
      if (random_.chance(std::min(left, 1.0))) write_other_station(out);
    }
    const std::uint64_t received_ms = pass_start_ms_ + static_cast<std::uint64_t>(slot_ * kBeaconPeriodMs) +
                                      static_cast<std::uint64_t>(random_.between(40, 950));
    if (random_.chance(0.35)) {
      append_text_time_stamp(out, received_ms);
    } else {
      append_numeric_time_stamp(out, received_ms);
    }
    step_telemetry(received_ms);
    append_kiss_frame(out, kDataCommand, beacon_frame(beacon_));
    ++slot_;
  }

 private:
  void step_telemetry(std::uint64_t received_ms) {
    const bool sunlit = slot_ < sunlit_slots_;
    if (sunlit) {
      battery_mv_ += static_cast<double>(random_.between(-2, 9));
      temperature_ += static_cast<double>(random_.between(5, 28));
    } else {
      battery_mv_ -= static_cast<double>(random_.between(1, 7));
      temperature_ -= static_cast<double>(random_.between(8, 30));
    }
    battery_mv_ = std::clamp(battery_mv_, 3600.0, 4200.0);
    beacon_.battery_mv = static_cast<std::uint16_t>(battery_mv_);
    beacon_.battery_ma =
        static_cast<std::uint16_t>(sunlit ? random_.between(250, 480) : random_.between(60, 140));
    beacon_.temperature_centi = static_cast<std::int16_t>(temperature_);
    beacon_.satellite_time =
        static_cast<std::uint32_t>(static_cast<std::int64_t>(received_ms / 1000) + clock_offset_s_);
    ++beacon_.sequence;

    if (safe_left_ == 0 && leop_left_ == 0 && random_.chance(0.012)) {
      ++beacon_.boot_counter;  // a reset: safe mode, then a short LEOP sequence
      safe_left_ = 6;
      leop_left_ = 3;
    }
    if (safe_left_ > 0) {
      beacon_.mode = kModeSafe;
      --safe_left_;
    } else if (leop_left_ > 0) {
      beacon_.mode = kModeLeop;
      --leop_left_;
    } else {
      beacon_.mode = kModeNominal;
    }
    if (random_.chance(0.02)) ++beacon_.rejected_commands;
    beacon_.message = std::string(beacon_.mode == kModeSafe ? kSafeModeMessage
                                                            : kMessages[beacon_.sequence % kMessages.size()]);
    if (mark_escapes_) mark_escapes();
  }

  // Values whose bytes are FEND or FESC, so the demo shows KISS escapes in
  // every telemetry field that can carry them.
  void mark_escapes() {
    switch (slot_) {
      case 7:
        beacon_.battery_mv = 0x0EC0;
        break;  // 3.776 V
      case 19:
        beacon_.battery_ma = 0x00DB;
        break;  // 219 mA
      case 23:
        beacon_.battery_mv = 0x0FDB;
        break;  // 4.059 V
      case 61:
        beacon_.battery_ma = 0x00C0;
        break;  // 192 mA
      default:
        break;
    }
    if (!marked_cold_ && beacon_.temperature_centi > -100 && beacon_.temperature_centi < 0) {
      beacon_.temperature_centi = -37;  // 0xFFDB: -0.37 degrees
      marked_cold_ = true;
    }
  }

  void write_other_station(std::string& out) {
    const std::string_view source =
        kOtherStations[static_cast<std::size_t>(random_.between(0, kOtherStations.size() - 1))];
    switch (random_.between(0, 2)) {
      case 0: {  // an APRS position report
        // One draw per statement: the order of function arguments is unspecified.
        int position[6];
        const int ranges[6][2] = {{10, 60}, {0, 59}, {0, 99}, {0, 30}, {0, 59}, {0, 99}};
        for (int i = 0; i < 6; ++i)
          position[i] = static_cast<int>(random_.between(ranges[i][0], ranges[i][1]));
        char info[64];
        const int n =
            std::snprintf(info, sizeof info, "!%02d%02d.%02dN/%03d%02d.%02dE-PHG2360 73", position[0],
                          position[1], position[2], position[3], position[4], position[5]);
        append_kiss_frame(out, kDataCommand,
                          ax25_ui_frame("APRS", source, text_bytes({info, static_cast<std::size_t>(n)})));
        break;
      }
      case 1: {  // a call
        std::string info = "CQ CQ DE " + std::string(source) + " K";
        append_kiss_frame(out, kDataCommand, ax25_ui_frame("CQ", source, text_bytes(info)));
        break;
      }
      default: {  // another satellite's binary telemetry
        Bytes info(static_cast<std::size_t>(random_.between(24, 230)));
        for (auto& b : info) b = static_cast<std::uint8_t>(random_.next());
        append_kiss_frame(out, kDataCommand, ax25_ui_frame("BEACON", source, info));
        break;
      }
    }
  }

  Random& random_;
  bool mark_escapes_;
  Beacon beacon_;
  std::uint64_t pass_start_ms_ = 0;
  int slots_ = 0;
  int slot_ = 0;
  int sunlit_slots_ = 0;
  double other_frames_per_slot_ = 0;
  double battery_mv_ = 3800;
  double temperature_ = 0;
  int clock_offset_s_ = 0;
  int safe_left_ = 0;
  int leop_left_ = 0;
  bool marked_cold_ = false;
};

}  // namespace

std::uint64_t Random::next() noexcept {  // splitmix64
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::int64_t Random::between(std::int64_t lo, std::int64_t hi) noexcept {
  const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
  return lo + static_cast<std::int64_t>(next() % span);
}

bool Random::chance(double probability) noexcept {
  return static_cast<double>(next() >> 11) * 0x1.0p-53 < probability;
}

Bytes ax25_ui_frame(std::string_view destination, std::string_view source, const Bytes& info) {
  Bytes frame;
  frame.reserve(16 + info.size());
  put_address(frame, destination, 0x60);
  put_address(frame, source, 0xE1);  // last address: its lowest bit is set
  frame.push_back(kUiControl);
  frame.push_back(kNoLayer3);
  frame.insert(frame.end(), info.begin(), info.end());
  return frame;
}

Bytes beacon_frame(const Beacon& beacon) {
  Bytes frame;
  frame.reserve(67);
  put_address(frame, beacon.destination, beacon.destination_ssid);
  put_address(frame, "TAPIR1", beacon.source_ssid);
  frame.push_back(kUiControl);
  frame.push_back(kNoLayer3);
  put_le(frame, beacon.sequence, 4);
  for (std::size_t i = 0; i < kMessageSize; ++i) {
    frame.push_back(i < beacon.message.size() ? static_cast<std::uint8_t>(beacon.message[i]) : 0);
  }
  put_le(frame, beacon.satellite_time, 4);
  put_le(frame, beacon.battery_mv, 2);
  put_le(frame, beacon.battery_ma, 2);
  put_le(frame, static_cast<std::uint16_t>(beacon.temperature_centi), 2);
  frame.push_back(beacon.mode);
  put_le(frame, beacon.boot_counter, 2);
  put_le(frame, beacon.rejected_commands, 2);
  // A check word over the record; the decoder does not read it.
  std::uint16_t check = 0;
  for (std::size_t i = 16; i < frame.size(); ++i) check = static_cast<std::uint16_t>(check * 31 + frame[i]);
  put_le(frame, check, 2);
  return frame;
}

void append_kiss_frame(std::string& out, std::uint8_t command, const Bytes& content) {
  out.push_back(static_cast<char>(kFend));
  out.push_back(static_cast<char>(command));
  for (const std::uint8_t b : content) {
    if (b == kFend) {
      out.push_back(static_cast<char>(kFesc));
      out.push_back(static_cast<char>(kTfend));
    } else if (b == kFesc) {
      out.push_back(static_cast<char>(kFesc));
      out.push_back(static_cast<char>(kTfesc));
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  out.push_back(static_cast<char>(kFend));
}

void append_numeric_time_stamp(std::string& out, std::uint64_t unix_ms) {
  // Raw: the reader takes these eight bytes whatever they are.
  out.push_back(static_cast<char>(kFend));
  out.push_back(static_cast<char>(kTimeStampCommand));
  for (int shift = 56; shift >= 0; shift -= 8) out.push_back(static_cast<char>(unix_ms >> shift));
  out.push_back(static_cast<char>(kFend));
}

std::string time_stamp_text(std::uint64_t unix_ms) {
  const std::uint64_t seconds = unix_ms / 1000;
  int year = 0, month = 0, day = 0;
  civil_from_days(static_cast<std::int64_t>(seconds / 86400), year, month, day);
  const auto second_of_day = static_cast<int>(seconds % 86400);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d UTC", year, month, day,
                second_of_day / 3600, second_of_day / 60 % 60, second_of_day % 60,
                static_cast<int>(unix_ms % 1000));
  return text;
}

void append_text_time_stamp(std::string& out, std::uint64_t unix_ms) {
  append_kiss_frame(out, kTimeStampCommand, text_bytes(time_stamp_text(unix_ms)));
}

std::string demo_capture(std::uint64_t seed) {
  Random random(seed);
  PassWriter pass(random, true);
  pass.start_pass(kDemoPassStart, kDemoBeacons, 0.3);
  std::string out;
  while (!pass.pass_done()) pass.write_slot(out);
  return out;
}

void generate_traffic(std::uint64_t size, std::uint64_t seed, const Sink& sink) {
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  Random random(seed);
  PassWriter pass(random, false);
  std::string out;
  out.reserve(kChunk + 4096);
  std::uint64_t written = 0;
  std::uint64_t pass_start = kDemoPassStart;
  while (written + out.size() < size) {
    if (pass.pass_done()) {
      pass.start_pass(pass_start, static_cast<int>(random.between(60, 120)), 1.5);
      pass_start += kOrbitSeconds;
    }
    pass.write_slot(out);
    if (out.size() >= kChunk) {
      sink(out);
      written += out.size();
      out.clear();
    }
  }
  if (!out.empty()) sink(out);
}

std::optional<std::uint64_t> parse_size(std::string_view text) {
  std::uint64_t value = 0;
  const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || rest == text.data()) return std::nullopt;
  const std::string_view unit(rest, static_cast<std::size_t>(text.data() + text.size() - rest));
  int shift = 0;
  if (unit == "K" || unit == "k")
    shift = 10;
  else if (unit == "M" || unit == "m")
    shift = 20;
  else if (unit == "G" || unit == "g")
    shift = 30;
  else if (!unit.empty())
    return std::nullopt;
  return value << shift;
}

}  // namespace kss_generator
