#pragma once

#include <map>
#include <memory>
#include <string>

#include "media/SpeechQueue.h"
#include "platform/MediaBackend.h"

class QSoundEffect;
class QString;
class QTextToSpeech;

// Plays sounds with QSoundEffect and speaks with QTextToSpeech, each made on first use.
class QtMediaBackend : public MediaBackend {
  public:
    explicit QtMediaBackend(void (*report)(const char* line));
    ~QtMediaBackend() override;

    void Speak(const std::string& text, bool interrupt) override;
    void PlaySound(const std::string& path) override;

  private:
    QTextToSpeech* Speech();
    void Say(const std::string& text);
    void Report(const QString& text) const;

    void (*report_)(const char* line);
    std::unique_ptr<QTextToSpeech> speech_;
    bool speechUnavailable_ = false;
    SpeechQueue queue_;
    std::map<std::string, std::unique_ptr<QSoundEffect>> sounds_;
};
