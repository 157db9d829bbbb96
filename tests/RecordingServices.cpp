#include "RecordingServices.h"

std::vector<std::string> RecordingServices::TextsOf(const std::string& kind) const {
    std::vector<std::string> texts;
    for (const Call& c : calls_) {
        if (c.kind == kind) texts.push_back(c.text);
    }
    return texts;
}

void RecordingServices::Record(const std::string& kind, const std::string& text) {
    calls_.push_back({kind, text});
    if (onCall) onCall(calls_.back());
}
