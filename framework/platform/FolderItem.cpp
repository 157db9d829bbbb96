#include "platform/FolderItem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/ResourceReport.h"
#include "platform/Sound.h"

namespace {

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
    FileDescriptor fd(::open(path_.c_str(), flags), path_.string());
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
    FileDescriptor fd = Open(Sound::kMaxFileBytes, problem);
    std::optional<std::string> bytes;
    if (fd.IsOpen()) bytes = ReadFrom(fd, Sound::kMaxFileBytes, problem);
    if (bytes) {
        const std::string why = Sound::FormatProblem(*bytes);
        if (!why.empty()) problem = "unusable: " + why;
    }
    if (!bytes || !problem.empty()) {
        ResourceReport::Once("sound", path_.filename().string(), problem);
        return nullptr;
    }
    return MakeRef<Sound>(path_.string(), std::move(fd));
}
