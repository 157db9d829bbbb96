#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Services.h"

// Records what the program would send out of the process, in order, instead of sending it.
class RecordingServices : public Services {
  public:
    struct Call {
        // "ShowURL", "MessageBox", "Speak", "SpeakInterrupting" (cutting off what is being
        // said) or "PlaySound"
        std::string kind;
        std::string text;
        bool operator==(const Call&) const = default;
    };

    void ShowURL(const std::string& address) override { Record("ShowURL", address); }
    void MessageBox(const std::string& text) override { Record("MessageBox", text); }
    void Speak(const std::string& text, bool interrupt) override {
        Record(interrupt ? "SpeakInterrupting" : "Speak", text);
    }
    void PlaySound(const std::string& path) override { Record("PlaySound", path); }

    const std::vector<Call>& Calls() const { return calls_; }
    std::vector<std::string> TextsOf(const std::string& kind) const;

    // Called as each call is recorded, for checks that need the state at that moment.
    std::function<void(const Call&)> onCall;

  private:
    void Record(const std::string& kind, const std::string& text);
    std::vector<Call> calls_;
};
