#include "platform/Bundle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/ResourceReport.h"
#include "runtime/NilObjectException.h"
#include "runtime/Runtime.h"

namespace {

std::string& ExecutableOverride() {
    static std::string path;
    return path;
}

// The file that the name the program was started by stands for, found as the shell found it: a
// name with a slash is a path, from the working folder when relative; one without is looked up
// on PATH. Links are followed, as the system's own answer follows them. Empty when there is none.
std::string FromStartedAs(const std::string& name) {
    auto resolved = [](const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::string();
        const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                               &std::free);
        return real ? std::string(real.get()) : std::string();
    };
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return resolved(name);
    const char* search = std::getenv("PATH");
    std::string_view folders = search != nullptr ? search : "";
    while (!folders.empty()) {
        const std::size_t colon = std::min(folders.find(':'), folders.size());
        const std::string_view folder = folders.substr(0, colon);
        folders.remove_prefix(std::min(colon + 1, folders.size()));
        const std::string candidate = (folder.empty() ? "." : std::string(folder)) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return resolved(candidate);
    }
    return {};
}

// The executable's path in the file system's own bytes (Qt's answer is Unicode text, which cannot
// hold a folder name that is not UTF-8); empty, and why, when it cannot be found.
std::string ExecutablePath(std::string& problem) {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) break;
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            return path;
        }
        path.resize(path.size() * 2);
    }
    // Without /proc the system cannot say; the name the program was started by still can.
    const int error = errno;
    path = FromStartedAs(RuntimeStartedAs());
    if (path.empty()) {
        problem = "cannot find the program's own file: /proc/self/exe cannot be read (" +
                  std::string(std::strerror(error)) + ") and the name it was started by, \"" +
                  RuntimeStartedAs() + "\", leads to none";
    }
    return path;
}

}  // namespace

Ref<FolderItem> Bundle::ExecutableFile(std::string* problem) {
    if (!ExecutableOverride().empty()) return MakeRef<FolderItem>(ExecutableOverride());
    std::string why;
    const std::string path = ExecutablePath(why);
    if (path.empty()) {
        if (problem != nullptr) *problem = why;
        return nullptr;
    }
    return MakeRef<FolderItem>(path);
}

void Bundle::OverrideExecutablePath(const std::string& path) {
    ExecutableOverride() = path;
}

Ref<FolderItem> Bundle::Contents(std::string* problem) {
    Ref<FolderItem> executable = ExecutableFile(problem);
    if (executable.IsNil()) return nullptr;
    Ref<FolderItem> macOS = executable->Parent();
    Ref<FolderItem> contents = macOS.IsNil() ? nullptr : macOS->Parent();
    if (contents.IsNil() && problem != nullptr) {
        *problem =
            "the program's own file, " + executable->NativePath().string() + ", lies in no bundle";
    }
    return contents;
}

Ref<FolderItem> Bundle::PlugIns() {
    Ref<FolderItem> contents = Contents();
    return contents.IsNil() ? nullptr : contents->Child("PlugIns", true);
}

Ref<FolderItem> _GetApplicationBundleResources() {
    std::string why;
    Ref<FolderItem> contents = Bundle::Contents(&why);
    if (contents.IsNil()) throw NilObjectException(why);
    Ref<FolderItem> resources = contents->Child("Resources", true);
    const std::string path = (contents->NativePath() / "Resources").string();
    // A bundle without its Resources folder has none to give.
    if (resources.IsNil() || !resources->IsFolder()) {
        ResourceReport::Once("folder", path, "missing: the bundle has no pictures and no sound");
        return nullptr;
    }
    // Its files are opened by name, which takes leave to search the folder; without it each of
    // them would seem to be missing.
    if (::faccessat(AT_FDCWD, path.c_str(), X_OK, AT_EACCESS) != 0) {
        ResourceReport::Once("folder", path,
                             std::string("unusable: cannot be read (") + std::strerror(errno) +
                                 "): the bundle has no pictures and no sound");
        return nullptr;
    }
    return resources;
}
