#pragma once

#include <string>

// An open file, closed when its owner goes.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // A path that opens exactly this file again, even once its own path leads elsewhere; plain
    // ASCII, so that it passes unchanged through libraries that take paths as Unicode text.
    std::string Path() const;

  private:
    int fd_ = -1;
};
