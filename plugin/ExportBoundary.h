#pragma once

#include "framework/CString.h"

// The host calls the exports from its own code, which knows nothing of this module's exceptions:
// whatever escapes an export, an allocation failure included, would end the host's process.

// Says what the exception being handled was, in words for the user.
CString DescribeCurrentException();
// Where a message goes when the export has no text of its own to return it in.
void ReportOnStandardError(const char* message) noexcept;

// Runs the body of an export and returns its result. An exception becomes a message for `report`
// and the export returns `failure` instead (0, or false for an export whose text must stay as it
// was). Should the message itself fail, standard error gets a fixed one.
template <typename Result, typename Body, typename Report = void (*)(const char*) noexcept>
Result RunExport(Result failure, Body&& body, Report&& report = ReportOnStandardError) noexcept {
  try {
    return body();
  } catch (...) {
    try {
      report(DescribeCurrentException());
    } catch (...) {
      ReportOnStandardError("The Vector Mode module failed and could not say why.");
    }
  }
  return failure;
}
