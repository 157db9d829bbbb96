#include "platform/FolderItem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

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
// channels) and a "data" chunk. Float and extensible formats are refused, as the player refuses
// them.
bool IsPlayableWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return false;
    }
    bool formatOk = false;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = ReadLE(bytes, at + 4, 4);
        at += 8;
        if (id == "fmt ") {
            if (size < 16 || bytes.size() - at < 16) return false;
            const std::uint32_t tag = ReadLE(bytes, at, 2);
            const std::uint32_t channels = ReadLE(bytes, at + 2, 2);
            const std::uint32_t bits = ReadLE(bytes, at + 14, 2);
            formatOk = tag == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
        } else if (id == "data") {
            return formatOk && size > 0;
        }
        const std::uint64_t skip = size + (size & 1);
        if (skip > bytes.size() - at) return false;
        at += static_cast<std::size_t>(skip);
    }
    return false;
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a directory";
    if (S_ISFIFO(mode)) return "is a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
    if (S_ISSOCK(mode)) return "is a socket";
    return "is not a regular file";
}

// Closes the descriptor on every way out.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

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

std::optional<std::string> FolderItem::ReadAll(std::size_t maxBytes, std::string& problem) const {
    // Non-blocking, so that opening a pipe returns at once; fstat then refuses it.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks_ ? 0 : O_NOFOLLOW);
    const FileDescriptor fd(::open(path_.c_str(), flags));
    if (fd.Get() < 0) {
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
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        problem = std::string("unusable: ") + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = "unusable: " + KindOf(info.st_mode);
        return std::nullopt;
    }
    auto tooBig = [&](std::uint64_t size) {
        problem = "unusable: too big (" + std::to_string(size) + " bytes, at most " +
                  std::to_string(maxBytes) + ")";
        return std::nullopt;
    };
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return tooBig(info.st_size);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    // The file may change while it is read: read to its end, but never past the limit.
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) return tooBig(bytes.size());
            bytes.resize(std::min(bytes.size() + 4096, maxBytes + 1));
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
    if (bytes.size() > maxBytes) return tooBig(bytes.size());
    if (bytes.empty()) {
        problem = "unusable: the file is empty";
        return std::nullopt;
    }
    return bytes;
}

Ref<Sound> FolderItem::OpenAsSound() const {
    std::string problem;
    const std::optional<std::string> bytes = ReadAll(kMaxReadBytes, problem);
    if (bytes && !IsPlayableWave(*bytes)) problem = "unusable: not an uncompressed PCM WAV sound";
    if (!bytes || !problem.empty()) {
        ResourceReport::Once("sound", path_.filename().string(), problem);
        return nullptr;
    }
    return MakeRef<Sound>(path_.string());
}
