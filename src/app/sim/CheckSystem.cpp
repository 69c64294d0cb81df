// The suite check's System off Windows: the posix layer, which resolves Windows paths without
// regard to case and starts a program of this system directly.
#include "app/CheckSystem.h"

#include <filesystem>

#include "platform/posix/PosixSystem.h"

namespace zindra::app {

int WithCheckSystem(const std::function<int(platform::System&, bool)>& check) {
    platform::posix::PosixSystemOptions options;
    // The suite is reached through Z:, the host's root; the C drive is never made or read.
    std::error_code ignored;
    options.CFolder = (std::filesystem::temp_directory_path(ignored) / "zindra-check-c").string();
    options.PrepareDrive = false;
    platform::posix::PosixSystem system(options);
    return check(system, true);
}

}  // namespace zindra::app
