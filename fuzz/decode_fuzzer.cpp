// Any text as the time-stamp line and the frame line of a decode, beyond the
// well-formed hex text a load produces: the decoding and the text helpers
// may only fail with a conversion error. Input: time-stamp line, a newline,
// frame line.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "capture/hex_text.h"
#include "capture/unescape.h"
#include "platform/runtime/errors.h"
#include "platform/runtime/hex_convert.h"
#include "telemetry/decode.h"
#include "ui/load_texts.h"

namespace {

template <typename Work>
void may_fail_to_convert(Work work) {
  try {
    work();
  } catch (const platform::ConvertError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string_view time_stamp = input.substr(0, newline);
  const std::string_view frame = newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1);

  std::size_t updates = 0;
  may_fail_to_convert([&] {
    telemetry::decode_frame(time_stamp, frame, [&](const telemetry::LabelUpdate&) { ++updates; });
  });
  may_fail_to_convert([&] { (void)telemetry::reception_date(time_stamp); });
  may_fail_to_convert([&] { (void)ui::source_destination_caption(frame); });
  may_fail_to_convert([&] { (void)capture::texto(frame, static_cast<std::int32_t>(frame.size() / 3 + 1)); });
  may_fail_to_convert([&] { (void)capture::indicativo(frame, 6); });
  may_fail_to_convert([&] { (void)platform::hex_to_int32(time_stamp); });
  may_fail_to_convert([&] { (void)platform::hex_to_int64(time_stamp); });

  if (capture::unescape_line(frame).size() > frame.size()) {
    std::fprintf(stderr, "invariant broken: unescaping made a line longer\n");
    std::abort();
  }
  return 0;
}
