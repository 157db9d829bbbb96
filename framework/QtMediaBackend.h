#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "MediaBackend.h"

class QSoundEffect;
class QTextToSpeech;

// Plays sounds with QSoundEffect and speaks with QTextToSpeech, each made on first use.
class QtMediaBackend : public MediaBackend {
  public:
    QtMediaBackend();
    ~QtMediaBackend() override;

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
