#include "platform/FileDescriptor.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), origin_(std::move(other.origin_)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        origin_ = std::move(other.origin_);
    }
    return *this;
}

std::string FileDescriptor::Path() const {
    struct stat own {};
    if (fd_ < 0 || ::fstat(fd_, &own) != 0) return {};
    std::string path = "/proc/self/fd/" + std::to_string(fd_);
    struct stat named {};
    if (::stat(path.c_str(), &named) == 0) return path;
    if (!origin_.empty() && ::stat(origin_.c_str(), &named) == 0 && named.st_dev == own.st_dev &&
        named.st_ino == own.st_ino) {
        return origin_;
    }
    return {};
}
