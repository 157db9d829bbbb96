#include "platform/Bundle.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "platform/ResourceReport.h"

namespace {

std::string& ExecutableOverride() {
    static std::string path;
    return path;
}

// The executable's path in the file system's own bytes. Qt's answer is Unicode text, which
// cannot hold a folder name that is not UTF-8.
std::string ExecutablePath() {
#ifdef __linux__
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
#endif
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

}  // namespace

Ref<FolderItem> Bundle::ExecutableFile() {
    if (!ExecutableOverride().empty()) return MakeRef<FolderItem>(ExecutableOverride());
    const std::string path = ExecutablePath();
    if (path.empty()) return nullptr;
    return MakeRef<FolderItem>(path);
}

void Bundle::OverrideExecutablePath(const std::string& path) {
    ExecutableOverride() = path;
}

Ref<FolderItem> Bundle::Contents() {
    Ref<FolderItem> executable = ExecutableFile();
    Ref<FolderItem> macOS = executable.IsNil() ? nullptr : executable->Parent();
    return macOS.IsNil() ? nullptr : macOS->Parent();
}

Ref<FolderItem> Bundle::PlugIns() {
    Ref<FolderItem> contents = Contents();
    return contents.IsNil() ? nullptr : contents->Child("PlugIns", true);
}

Ref<FolderItem> _GetApplicationBundleResources() {
    Ref<FolderItem> contents = Bundle::Contents();
    if (contents.IsNil()) RaiseNilObjectException();
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
