#pragma once

#include <string>

#include "platform/FileDescriptor.h"
#include "runtime/Object.h"

class Sound : public Object {
  public:
    // The sound in the open file, which is played; path says where it was found.
    Sound(std::string path, FileDescriptor file) : path_(std::move(path)), file_(std::move(file)) {}

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::string& Path() const { return path_; }
    // Starts the sound and returns at once; playing it again while it plays starts it over.
    void Play();

  private:
    std::string path_;
    FileDescriptor file_;
};
