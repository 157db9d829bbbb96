#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/FileDescriptor.h"
#include "runtime/Object.h"

class Sound;

// A file or folder, which need not exist.
class FolderItem : public Object {
  public:
    explicit FolderItem(std::filesystem::path path, bool followLinks = true)
        : path_(std::move(path)), followLinks_(followLinks) {}

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::filesystem::path& NativePath() const { return path_; }
    bool Exists() const;
    bool IsFolder() const;
    // Nil at the root of the file system.
    Ref<FolderItem> Parent() const;
    // The item of that name in this folder, which need not exist; with followLinks a link there
    // is followed by everything done with the item, so one that leads nowhere or in a circle
    // gives an item that does not exist. Nil when this item is not an existing folder.
    Ref<FolderItem> Child(const std::string& name, bool followLinks) const;

    // The file opened for reading, when it is a regular file (after links) of 1 to maxBytes
    // bytes; otherwise a closed descriptor, and why ("missing", "unusable: is a directory", ...).
    // Never blocks on a pipe or a device and reads nothing.
    FileDescriptor Open(std::size_t maxBytes, std::string& problem) const;
    // The whole file, when Open takes it; never reads more than maxBytes + 1 bytes, even from a
    // file that grows meanwhile.
    std::optional<std::string> ReadAll(std::size_t maxBytes, std::string& problem) const;

    // Nil unless the file is a sound the player can play (uncompressed PCM WAV whose header agrees
    // with itself and with the file); why not is reported once on stderr. The sound keeps the file
    // open and plays exactly the file that was checked.
    Ref<Sound> OpenAsSound() const;

  private:
    std::filesystem::path path_;
    bool followLinks_;
};
