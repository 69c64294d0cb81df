// Whether a file is a Windows program: the MS-DOS stub's MZ header, the PE header it points to,
// and the section table, read with every offset checked against the file's size.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zindra::suitecheck {

struct ExecutableVerdict {
    bool Program = false;
    // For a program its machine and subsystem ("x86-64, console"); otherwise what is wrong.
    std::string Detail;
};

// A program is an image marked executable (not a DLL) with a PE32 or PE32+ optional header whose
// sections all lie inside the file, so a program cut short is caught too.
ExecutableVerdict CheckWindowsExecutable(std::span<const std::uint8_t> data);

}  // namespace zindra::suitecheck
