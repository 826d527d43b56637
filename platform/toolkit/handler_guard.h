#pragma once
// Every event handler runs inside this guard: an I/O or conversion error (or
// any other exception) that leaves the handler ends it there, what it did
// before stays, and the exception message box shows the error.

#include <exception>
#include <utility>

#include "platform/runtime/errors.h"
#include "platform/toolkit/exception_box.h"

namespace platform {

template <class Handler>
void guarded(ExceptionBox& box, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const IoError& error) {
    box.show(exception_box_text(error.what()));
  } catch (const ConvertError& error) {
    box.show(exception_box_text(error.what()));
  } catch (const std::exception& error) {
    box.show(exception_box_text(error.what()));
  } catch (...) {
    box.show("Unknown error.");
  }
}

}  // namespace platform
