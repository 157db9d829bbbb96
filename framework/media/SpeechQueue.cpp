#include "media/SpeechQueue.h"

void SpeechQueue::Speak(const std::string& text, bool interrupt) {
    if (interrupt) {
        waiting_.clear();
        speaking_ = false;
    }
    waiting_.push_back(text);
    if (!speaking_) SayNext();
}

void SpeechQueue::Finished() {
    speaking_ = false;
    SayNext();
}

void SpeechQueue::SayNext() {
    if (waiting_.empty()) return;
    const std::string next = std::move(waiting_.front());
    waiting_.pop_front();
    speaking_ = true;
    say_(next);
}
