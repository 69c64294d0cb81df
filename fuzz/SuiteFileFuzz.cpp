// Fuzzes the suite check's content checks: the first byte picks the kind of file and, for
// pictures, the extension that chooses the decoder; a check must report and never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "menu/check/FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zindra::suitecheck;
    if (size == 0) return 0;
    static const bool registered = (RegisterPictureKinds(), true);
    (void)registered;
    static const char* const kPaths[] = {"C:\\s\\menu\\m_1.jpg", "C:\\s\\a.png", "C:\\s\\a.bmp", "C:\\s\\a.wav",
                                         "C:\\s\\Music\\a.mid",  "C:\\s\\a.exe", "C:\\s\\a.exe", "C:\\s\\a.txt"};
    static const FileKind kKinds[] = {FileKind::Picture, FileKind::Picture, FileKind::Picture, FileKind::Wave,
                                      FileKind::Midi,    FileKind::Program, FileKind::Program, FileKind::SwitchFile};
    const std::size_t pick = data[0] % 8;
    ContentOptions options;
    options.HostProgramsRun = pick == 6;
    const ContentFinding finding = CheckContent(kKinds[pick], kPaths[pick], {data + 1, size - 1}, options);
    if (!finding.Sound && finding.Detail.empty()) __builtin_trap();  // a fault must say what it is
    return 0;
}
