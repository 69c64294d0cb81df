// Message formatting for the kit's exceptions.
#include "framework/Exception.h"

namespace zindra {

std::string FormatMessage(const std::string& format, const std::string& argument) {
    const auto at = format.find("%s");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + argument + format.substr(at + 2);
}

void ThrowAssignError(const std::string& source, const std::string& target) {
    throw EConvertError(FormatMessage(FormatMessage(kSAssignError, source), target));
}

}  // namespace zindra
