#pragma once
// Runs the body of an exported function; no exception leaves the library:
// any exception gives the export's failure value.
#include <utility>

namespace transport {

template <typename Result, typename Body>
Result GuardExport(Result onFailure, Body &&body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return onFailure;
  }
}

}  // namespace transport
