#pragma once

#include <filesystem>
#include <string>

#include "Object.h"

class Sound;

// A file or folder, which need not exist.
class FolderItem : public Object {
  public:
    explicit FolderItem(std::filesystem::path path) : path_(std::move(path)) {}

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::filesystem::path& NativePath() const { return path_; }
    bool Exists() const;
    bool IsFolder() const;
    // Nil at the root of the file system.
    Ref<FolderItem> Parent() const;
    // The item of that name in this folder, which need not exist, following a link there when
    // followLinks is true; nil when this item is not an existing folder or the link is broken.
    Ref<FolderItem> Child(const std::string& name, bool followLinks) const;
    // Nil unless the file is a sound the player can play (uncompressed PCM WAV).
    Ref<Sound> OpenAsSound() const;

  private:
    std::filesystem::path path_;
};

// The application bundle's Resources folder: executable, its folder, that folder's parent,
// then its child "Resources"; nil when the bundle has no such folder.
Ref<FolderItem> _GetApplicationBundleResources();
