#include "plugin/ExportBoundary.h"

#include <cstdio>
#include <exception>
#include <new>

#include "framework/CException.h"

namespace {

CString ReasonOfCurrentException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "out of memory";
  } catch (const CException& fault) {
    const CString message = fault.GetErrorMessage();
    return message.IsEmpty() ? CString("an error of the application framework") : message;
  } catch (const std::exception& fault) {
    return fault.what();
  } catch (...) {
    return "an unknown error";
  }
}

}  // namespace

CString DescribeCurrentException() { return "The Vector Mode module failed: " + ReasonOfCurrentException(); }

void ReportOnStandardError(const char* message) noexcept { std::fprintf(stderr, "%s\n", message); }
