#include "platform/FileDescriptor.h"

#include <unistd.h>

#include <utility>

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::string FileDescriptor::Path() const {
#ifdef __linux__
    return "/proc/self/fd/" + std::to_string(fd_);
#else
    return "/dev/fd/" + std::to_string(fd_);
#endif
}
