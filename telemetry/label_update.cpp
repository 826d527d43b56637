#include "telemetry/label_update.h"

namespace telemetry {

std::string_view label_name(Label label) {
  switch (label) {
    case Label::Label20: return "Label20";
    case Label::Label3: return "Label3";
    case Label::Label6: return "Label6";
    case Label::Label7: return "Label7";
    case Label::Label8: return "Label8";
    case Label::Label9: return "Label9";
    case Label::Label10: return "Label10";
    case Label::Label11: return "Label11";
    case Label::Label12: return "Label12";
    case Label::Label15: return "Label15";
    case Label::Label16: return "Label16";
    case Label::Label17: return "Label17";
    case Label::Label18: return "Label18";
  }
  return "?";
}

}  // namespace telemetry
