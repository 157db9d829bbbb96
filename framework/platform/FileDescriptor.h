#pragma once

#include <string>

// An open file, closed when its owner goes.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    // origin: the path it was opened by.
    FileDescriptor(int fd, std::string origin) : fd_(fd), origin_(std::move(origin)) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // A path that opens exactly this file again, even once its own path leads elsewhere; plain
    // ASCII, so that it passes unchanged through libraries that take paths as Unicode text.
    // Without /proc there is none such: then the path it was opened by, as long as that still
    // names this file; empty when neither does.
    std::string Path() const;

  private:
    int fd_ = -1;
    std::string origin_;
};
