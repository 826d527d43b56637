#pragma once
// What the decoding of one frame tells the main window: which label gets
// which text, and whether it is made visible. Texts are bytes of the
// window's single-byte character set (Latin-1: the degree sign is 0xB0).

#include <optional>
#include <string>
#include <string_view>

namespace telemetry {

enum class Label {
  Label20,  // reception date
  Label3,   // satellite time stamp
  Label6,   // message
  Label7,   // battery voltage
  Label8,   // battery current
  Label9,   // temperature
  Label10,  // mode
  Label11,  // boot counter
  Label12,  // rejected commands
  Label15,  // destination SSID
  Label16,  // source SSID
  Label17,  // control byte
  Label18,  // protocol identifier
};

std::string_view label_name(Label label);

struct LabelUpdate {
  Label label;
  // The text as the label shows it: a label keeps its text up to its first
  // zero character, so the text is already cut there (a message of "HELLO"
  // and 25 zero bytes is " Message: HELLO"). None: the label keeps its text.
  std::optional<std::string> text;
  // False: the label's visibility is left as it is (never hidden here).
  bool make_visible = false;
};

}  // namespace telemetry
