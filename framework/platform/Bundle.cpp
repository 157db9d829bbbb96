#include "platform/Bundle.h"

#include <QCoreApplication>

#include "platform/ResourceReport.h"

namespace {
std::string& ExecutableOverride() {
    static std::string path;
    return path;
}
}  // namespace

Ref<FolderItem> Bundle::ExecutableFile() {
    if (!ExecutableOverride().empty()) return MakeRef<FolderItem>(ExecutableOverride());
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty()) return nullptr;
    return MakeRef<FolderItem>(path.toStdString());
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
    // A bundle without its Resources folder has none to give.
    if (resources.IsNil() || !resources->IsFolder()) {
        ResourceReport::Once("folder", (contents->NativePath() / "Resources").string(),
                             "missing: the bundle has no pictures and no sound");
        return nullptr;
    }
    return resources;
}
