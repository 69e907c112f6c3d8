#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/exception.h"
#include "platform/startup.h"

namespace platform {

namespace {

constexpr char kLineEnd[] = "\r\n";

// Upper-case hexadecimal in the build's pointer width.
std::string HexAddress(std::uintptr_t address) {
  return Format("%0*jX", static_cast<int>(sizeof(address) * 2),
                static_cast<std::uintmax_t>(address));
}

// Called inside a handler: the type of the object being handled.
std::string HandledObjectClassName() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "?";
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> readable(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && readable ? readable.get() : type->name();
}

}  // namespace

std::string FailureReport(const std::exception_ptr& failure) {
  std::uintptr_t address = 0;
  std::string description;
  std::vector<std::uintptr_t> call_trace;
  try {
    std::rethrow_exception(failure);
  } catch (const Exception& exception) {
    address = exception.Address();
    description = exception.ClassName() + " : " + exception.Message();
    call_trace = exception.CallTrace();
  } catch (...) {
    description = "Exception object " + HandledObjectClassName() + " is not of class Exception.";
  }
  std::string report = "An unhandled exception occurred at $" + HexAddress(address) + " :";
  report += kLineEnd;
  report += description + kLineEnd;
  for (const std::uintptr_t frame : call_trace) report += "  $" + HexAddress(frame) + kLineEnd;
  report += kLineEnd;
  return report;
}

}  // namespace platform
