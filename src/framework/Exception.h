// The kit's exception classes: each carries the message the user may see.
#pragma once

#include <stdexcept>
#include <string>

namespace zindra {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
    // The class name the standard error report shows beside the message.
    virtual const char* ClassName() const { return "Exception"; }
};

#define ZINDRA_EXCEPTION(NAME, BASE)                             \
    class NAME : public BASE {                                   \
    public:                                                      \
        using BASE::BASE;                                        \
        const char* ClassName() const override { return #NAME; } \
    }

ZINDRA_EXCEPTION(EOutOfResources, Exception);
ZINDRA_EXCEPTION(EConvertError, Exception);
ZINDRA_EXCEPTION(EStreamError, Exception);
ZINDRA_EXCEPTION(EFOpenError, EStreamError);
ZINDRA_EXCEPTION(EReadError, EStreamError);
ZINDRA_EXCEPTION(EInvalidGraphic, Exception);
ZINDRA_EXCEPTION(EInvalidOperation, Exception);
ZINDRA_EXCEPTION(EJPEG, Exception);
ZINDRA_EXCEPTION(ELayoutError, Exception);
ZINDRA_EXCEPTION(EClipboardException, Exception);

// The runtime's texts that messages are built from.
inline constexpr const char* kSFOpenError = "Cannot open file %s";
inline constexpr const char* kSReadError = "Stream read error";
inline constexpr const char* kSUnknown = "(Unknown)";
inline constexpr const char* kSAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* kSCannotOpenClipboard = "Cannot open clipboard";
inline constexpr const char* kSUnknownClipboardFormat = "Unsupported clipboard format";

// Replaces the first %s of a runtime text.
std::string FormatMessage(const std::string& format, const std::string& argument);

// EConvertError for a copy between two kinds that cannot be copied into each other.
[[noreturn]] void ThrowAssignError(const std::string& source, const std::string& target);

}  // namespace zindra
