#pragma once

#include <deque>
#include <functional>
#include <string>

// Call-outs in the order they were asked for: each waits until the engine has finished the one
// before, so that "Snake Eyes" from a nested roll is not cut off by the outer roll's call-out.
// Speech engines offer only "say now", which cuts off what is being said.
class SpeechQueue {
  public:
    explicit SpeechQueue(std::function<void(const std::string&)> say) : say_(std::move(say)) {}

    // With interrupt, what waits is dropped and the text is said at once.
    void Speak(const std::string& text, bool interrupt);
    // The engine has finished (or given up on) what it was saying.
    void Finished();

    bool Speaking() const { return speaking_; }

  private:
    void SayNext();

    std::function<void(const std::string&)> say_;
    std::deque<std::string> waiting_;
    bool speaking_ = false;
};
