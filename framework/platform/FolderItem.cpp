#include "platform/FolderItem.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/ResourceReport.h"
#include "platform/Sound.h"

namespace {

std::uint32_t ReadLE(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// Walks the RIFF chunks: a playable file has a PCM "fmt " chunk (8 or 16 bits, one or two
// channels) and then a "data" chunk. Float and extensible formats are refused, as the player
// refuses them; so is a header that claims more than the file holds or a rate no sound has, which
// the player takes on trust. Empty when playable, otherwise why not.
std::string WaveProblem(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return "not an uncompressed PCM WAV sound";
    }
    if (ReadLE(bytes, 4, 4) > bytes.size() - 8) return "damaged: the file is shorter than it says";
    bool formatOk = false;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string id(bytes.substr(at, 4));
        const std::uint32_t size = ReadLE(bytes, at + 4, 4);
        at += 8;
        if (size > bytes.size() - at) return "damaged: its \"" + id + "\" chunk is cut short";
        if (id == "fmt ") {
            if (size < 16) return "damaged: its \"fmt \" chunk is cut short";
            const std::uint32_t tag = ReadLE(bytes, at, 2);
            const std::uint32_t channels = ReadLE(bytes, at + 2, 2);
            const std::uint32_t rate = ReadLE(bytes, at + 4, 4);
            const std::uint32_t bits = ReadLE(bytes, at + 14, 2);
            if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) {
                return "not an uncompressed PCM WAV sound";
            }
            // Telephone sound is 8 kHz and studios record at up to 384 kHz; 0 is a lie.
            if (rate < 1000 || rate > 384000) {
                return "damaged: a sample rate of " + std::to_string(rate) + " Hz";
            }
            formatOk = true;
        } else if (id == "data") {
            if (!formatOk) return "damaged: no format before the sound data";
            if (size == 0) return "damaged: no sound data";
            return {};
        }
        // A chunk of odd size is padded to an even one; the last pad byte may be missing.
        at += std::min<std::size_t>(size + (size & 1), bytes.size() - at);
    }
    return formatOk ? "damaged: no sound data" : "not an uncompressed PCM WAV sound";
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a directory";
    if (S_ISFIFO(mode)) return "is a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
    if (S_ISSOCK(mode)) return "is a socket";
    return "is not a regular file";
}

std::string TooBig(std::uint64_t size, std::size_t maxBytes) {
    return "unusable: too big (" + std::to_string(size) + " bytes, at most " +
           std::to_string(maxBytes) + ")";
}

// Reads the open file to its end, which may lie past the size it had when opened, but never
// more than maxBytes + 1 bytes.
std::optional<std::string> ReadFrom(const FileDescriptor& fd, std::size_t maxBytes,
                                    std::string& problem) {
    std::string bytes;
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes) {
                problem = TooBig(done, maxBytes);
                return std::nullopt;
            }
            bytes.resize(std::min(std::max<std::size_t>(2 * done, 16 * 1024), maxBytes + 1));
        }
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            problem = std::string("unusable: ") + std::strerror(errno);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    if (bytes.empty()) {
        problem = "unusable: the file is empty";
        return std::nullopt;
    }
    return bytes;
}

// What the loader says, without the path it was given, which names only a descriptor.
std::string LoaderReason(const std::string& path) {
    const char* error = ::dlerror();
    std::string reason = error != nullptr ? error : "the loader gave no reason";
    if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
    return reason;
}

}  // namespace

const ClassInfo& FolderItem::Class() {
    static const ClassInfo info("FolderItem", &Object::Class());
    return info;
}

bool FolderItem::Exists() const {
    std::error_code ec;
    return followLinks_ ? std::filesystem::exists(path_, ec)
                        : std::filesystem::exists(std::filesystem::symlink_status(path_, ec));
}

bool FolderItem::IsFolder() const {
    std::error_code ec;
    return followLinks_ ? std::filesystem::is_directory(path_, ec)
                        : std::filesystem::is_directory(std::filesystem::symlink_status(path_, ec));
}

Ref<FolderItem> FolderItem::Parent() const {
    const std::filesystem::path parent = path_.parent_path();
    if (parent.empty() || parent == path_) return nullptr;
    return MakeRef<FolderItem>(parent);
}

Ref<FolderItem> FolderItem::Child(const std::string& name, bool followLinks) const {
    if (!IsFolder()) return nullptr;
    return MakeRef<FolderItem>(path_ / name, followLinks);
}

FileDescriptor FolderItem::Open(std::size_t maxBytes, std::string& problem) const {
    // Non-blocking, so that opening a pipe returns at once; fstat then refuses it.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks_ ? 0 : O_NOFOLLOW);
    FileDescriptor fd(::open(path_.c_str(), flags));
    if (!fd.IsOpen()) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT) {
            problem =
                ::lstat(path_.c_str(), &link) == 0 ? "missing: the link leads nowhere" : "missing";
        } else if (error == ELOOP) {
            problem = "unusable: the link leads round in a circle";
        } else {
            problem = std::string("unusable: ") + std::strerror(error);
        }
        return {};
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        problem = std::string("unusable: ") + std::strerror(errno);
        return {};
    }
    if (!S_ISREG(info.st_mode)) {
        problem = "unusable: " + KindOf(info.st_mode);
        return {};
    }
    // Told by its size alone, before a byte is read: a huge file costs nothing.
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        problem = TooBig(info.st_size, maxBytes);
        return {};
    }
    if (info.st_size == 0) {
        problem = "unusable: the file is empty";
        return {};
    }
    return fd;
}

std::optional<std::string> FolderItem::ReadAll(std::size_t maxBytes, std::string& problem) const {
    const FileDescriptor fd = Open(maxBytes, problem);
    if (!fd.IsOpen()) return std::nullopt;
    return ReadFrom(fd, maxBytes, problem);
}

Ref<Sound> FolderItem::OpenAsSound() const {
    std::string problem;
    FileDescriptor fd = Open(kMaxSoundBytes, problem);
    std::optional<std::string> bytes;
    if (fd.IsOpen()) bytes = ReadFrom(fd, kMaxSoundBytes, problem);
    if (bytes) {
        const std::string why = WaveProblem(*bytes);
        if (!why.empty()) problem = "unusable: " + why;
    }
    if (!bytes || !problem.empty()) {
        ResourceReport::Once("sound", path_.filename().string(), problem);
        return nullptr;
    }
    return MakeRef<Sound>(path_.string(), std::move(fd));
}

void* FolderItem::LoadAsModule(const char* entry, std::string& problem) const {
    FileDescriptor fd = Open(kMaxModuleBytes, problem);
    if (!fd.IsOpen()) return nullptr;
    // Loaded through the descriptor that was checked, so that nothing can swap the file in
    // between, and by a path that is plain ASCII whatever the folders above it are called.
    const std::string path = fd.Path();
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        problem = "unusable: " + LoaderReason(path);
        return nullptr;
    }
    void* address = ::dlsym(module, entry);
    if (address == nullptr) {
        problem = "unusable: " + LoaderReason(path);
        ::dlclose(module);
        return nullptr;
    }
    // The loader knows a module by the path it was loaded from and hands the same module to the
    // next load of that path: the descriptor stays open with the module, so that its number, and
    // the path with it, never comes to name another file.
    static std::vector<FileDescriptor> loaded;
    loaded.push_back(std::move(fd));
    return address;
}
