// Windows path to host path and back, with case-insensitive lookup of existing components.
#include "platform/posix/PathMapper.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/posix/WindowsNames.h"

namespace zindra::platform::posix {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start) {
            parts.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// Resolves "." and ".." lexically; ".." at the root stays at the root.
std::vector<std::string> Resolve(const std::vector<std::string>& parts) {
    std::vector<std::string> out;
    for (const std::string& part : parts) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!out.empty()) {
                out.pop_back();
            }
            continue;
        }
        out.push_back(part);
    }
    return out;
}

std::string RealWorkingFolder() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string("/");
}

// An absolute, lexically normal host path without a trailing '/' (except the root itself).
std::string NormalHost(std::string_view path) {
    std::string absolute = path.starts_with('/') ? std::string(path) : JoinHost(RealWorkingFolder(), path);
    std::string out;
    for (const std::string& part : Resolve(Split(absolute, '/'))) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

// The host spelling of name inside folder: exact when it exists, else the first entry in byte
// order that equals it without case; nothing when there is none.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
    struct stat info {};
    if (lstat(JoinHost(folder, name).c_str(), &info) == 0) {
        return name;
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == ".." || !SameNameNoCase(candidate, name)) {
            continue;
        }
        if (!best || candidate < *best) {
            best = std::string(candidate);
        }
    }
    closedir(dir);
    return best;
}

// Windows drops trailing dots and spaces of the last component ("notes.txt. " is "notes.txt").
void TrimLast(std::vector<std::string>& parts) {
    if (parts.empty()) {
        return;
    }
    std::string& last = parts.back();
    while (!last.empty() && (last.back() == '.' || last.back() == ' ')) {
        last.pop_back();
    }
    if (last.empty()) {
        parts.pop_back();
    }
}

std::string WindowsForm(std::string_view drive, const std::vector<std::string>& parts) {
    std::string out = std::string(drive) + ":\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i == 0 ? "" : "\\") + parts[i];
    }
    return out;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char UpperDrive(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string JoinHost(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || out.back() != '/') {
        out += '/';
    }
    out += name;
    return out;
}

PathMapper::PathMapper(std::string cFolder) : cFolder_(NormalHost(cFolder)) {
    char buffer[PATH_MAX];
    cFolderReal_ = realpath(cFolder_.c_str(), buffer) != nullptr ? std::string(buffer) : cFolder_;
}

std::string PathMapper::DriveRoot(char drive) const {
    return drive == 'C' ? cFolder_ : std::string("/");
}

std::optional<PathMapper::Parsed> PathMapper::Parse(std::string_view windowsPath) const {
    if (windowsPath.empty() || windowsPath.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string path(windowsPath);
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    if (path.starts_with("\\\\")) {
        return std::nullopt;  // UNC and device paths have no host counterpart
    }
    const bool hasDrive = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
    if (path.find(':', hasDrive ? 2 : 0) != std::string::npos) {
        return std::nullopt;  // no Windows name holds a ':' (streams are not mapped)
    }
    const std::string current = CurrentDirectory();
    const Parsed here{current[0], current.substr(2)};
    if (hasDrive) {
        const char drive = UpperDrive(path[0]);
        if (drive != 'C' && drive != 'Z') {
            return std::nullopt;
        }
        std::string rest = path.substr(2);
        if (rest.starts_with('\\')) {
            return Parsed{drive, rest};
        }
        // "C:name" is relative to the current folder only when that is on the same drive.
        return Parsed{drive, drive == here.Drive ? here.Rest + "\\" + rest : rest};
    }
    if (path.starts_with('\\')) {
        return Parsed{here.Drive, path};
    }
    return Parsed{here.Drive, here.Rest + "\\" + path};
}

std::optional<std::string> PathMapper::ToHost(std::string_view windowsPath) const {
    std::optional<Parsed> parsed = Parse(windowsPath);
    if (!parsed) {
        return std::nullopt;
    }
    std::vector<std::string> parts = Resolve(Split(parsed->Rest, '\\'));
    const char lastChar = windowsPath.back();
    if (lastChar != '\\' && lastChar != '/') {
        TrimLast(parts);
    }
    std::string host = DriveRoot(parsed->Drive);
    bool exists = true;  // once a component is missing, nothing below it can be matched
    for (const std::string& part : parts) {
        std::optional<std::string> found = exists ? FindEntry(host, part) : std::nullopt;
        exists = found.has_value();
        host = JoinHost(host, found ? *found : part);
    }
    return host;
}

std::string PathMapper::ToWindows(std::string_view hostPath) const {
    const std::string normal = NormalHost(hostPath);
    for (const std::string* root : {&cFolder_, &cFolderReal_}) {
        const std::string& c = *root;
        if (c == "/" || normal == c || (normal.starts_with(c) && normal[c.size()] == '/')) {
            const std::size_t skip = c == "/" ? 0 : c.size();
            return WindowsForm("C", Split(std::string_view(normal).substr(skip), '/'));
        }
    }
    return WindowsForm("Z", Split(normal, '/'));
}

bool PathMapper::SetCurrentDirectory(std::string_view windowsPath) {
    if (windowsPath.size() < 3 || !IsDriveLetter(windowsPath[0]) || windowsPath[1] != ':' ||
        (windowsPath[2] != '\\' && windowsPath[2] != '/') || windowsPath.find('\0') != std::string_view::npos) {
        return false;
    }
    const char drive = UpperDrive(windowsPath[0]);
    if (drive != 'C' && drive != 'Z') {
        return false;
    }
    std::string path(windowsPath.substr(2));
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    std::string normal{drive, ':'};
    for (const std::string& part : Resolve(Split(path, '\\'))) {
        normal += '\\' + part;
    }
    if (normal.size() == 2) {
        normal += '\\';
    }
    std::lock_guard lock(mutex_);
    currentDirectory_ = normal;
    return true;
}

std::string PathMapper::CurrentDirectory() const {
    std::lock_guard lock(mutex_);
    return currentDirectory_;
}

}  // namespace zindra::platform::posix
