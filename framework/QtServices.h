#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "Services.h"

class QSoundEffect;
class QTextToSpeech;

// The desktop's own services. Speech and sound are created on first use, not at start-up: each
// costs tens of milliseconds and several megabytes that a game that is only looked at never needs.
class QtServices : public Services {
  public:
    QtServices();
    ~QtServices() override;

    void ShowURL(const std::string& address) override;
    void MessageBox(const std::string& text) override;
    void Speak(const std::string& text, bool interrupt) override;
    void PlaySound(const std::string& path) override;

  private:
    QTextToSpeech* Speech();
    void SpeakNext();

    std::unique_ptr<QTextToSpeech> speech_;
    bool speechUnavailable_ = false;
    // say() cuts off speech in progress, so call-outs wait for the one being spoken.
    std::deque<std::string> speechQueue_;
    std::map<std::string, std::unique_ptr<QSoundEffect>> sounds_;
};
