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
    // Our shake sound is 97 KB. The player holds a sound whole in memory, so the cap on the file
    // is also what a sound may cost: 1 MiB is six seconds of 16-bit stereo at 44.1 kHz.
    static constexpr std::size_t kMaxSoundBytes = 1024 * 1024;
    // Our sound and speech module is 0.8 MB, 1.8 MB in a sanitizer build. The loader maps what
    // it loads; a file several times that size is no module of ours.
    static constexpr std::size_t kMaxModuleBytes = 8 * 1024 * 1024;

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

    // Loads the file as a code module, once Open takes it, and gives the address of its entry
    // point of that name; nullptr and why when it cannot (the loader's own reason included). The
    // module stays loaded for the rest of the run.
    void* LoadAsModule(const char* entry, std::string& problem) const;

  private:
    std::filesystem::path path_;
    bool followLinks_;
};
