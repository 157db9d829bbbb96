#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FileDescriptor.h"
#include "runtime/Object.h"

class Sound : public Object {
  public:
    // Our shake sound is 97 KB. The player holds a sound whole in memory, so the cap on the file
    // is also what a sound may cost: 1 MiB is six seconds of 16-bit stereo at 44.1 kHz.
    static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

    // Empty when the player can play a file of those bytes (uncompressed PCM WAV whose header
    // agrees with itself and with the file), otherwise why not.
    static std::string FormatProblem(std::string_view bytes);

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
