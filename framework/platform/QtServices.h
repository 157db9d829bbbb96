#pragma once

#include <memory>
#include <string>

#include "platform/Services.h"

class MediaBackend;

// The desktop's own services. Sound and speech come from the media module, loaded on their first
// use; without it the program goes on silently.
class QtServices : public Services {
  public:
    QtServices();
    ~QtServices() override;

    void ShowURL(const std::string& address) override;
    void MessageBox(const std::string& text) override;
    void Speak(const std::string& text, bool interrupt) override;
    void PlaySound(const std::string& path) override;

  private:
    MediaBackend* Media();

    std::unique_ptr<MediaBackend> media_;
    bool mediaTried_ = false;
};

// The framework's start-up step for what it plugs in: the desktop's own services, with sound and
// speech from the media module behind them, unless services were installed already.
void _InitPluginEntrypoints();
