#pragma once

#include <string>

// Sound and speech live in a module of their own, loaded on first use: the multimedia and speech
// libraries behind them cost start-up time and memory that a game that is only looked at never
// needs.
class MediaBackend {
  public:
    virtual ~MediaBackend() = default;
    virtual void Speak(const std::string& text, bool interrupt) = 0;
    virtual void PlaySound(const std::string& path) = 0;
};

// The module's one entry point. What it has to tell the user it hands to report, one line a call.
extern "C" MediaBackend* DiceCreateMediaBackend(void (*report)(const char* line));
inline constexpr const char* kMediaBackendEntry = "DiceCreateMediaBackend";
// Its file in the bundle's PlugIns folder, named so on every platform by the build.
inline constexpr const char* kMediaBackendModule = "libdice_media.so";
