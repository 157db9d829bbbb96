#include "pictures/DecoderMessages.h"

#include <QString>
#include <atomic>
#include <string_view>

namespace {

std::atomic<DecoderMessages*> gCurrent{nullptr};
std::atomic<QtMessageHandler> gPrevious{nullptr};

bool FromDecoder(const char* category) {
    const std::string_view name = category != nullptr ? category : "";
    return name.starts_with("qt.svg") || name.starts_with("qt.gui.imageio");
}

}  // namespace

DecoderMessages::DecoderMessages() {
    gCurrent = this;
    // Qt hands back its own printing handler when no other was installed.
    previous_ = qInstallMessageHandler(&Handle);
    gPrevious = previous_;
}

DecoderMessages::~DecoderMessages() {
    qInstallMessageHandler(previous_);
    gCurrent = nullptr;
}

void DecoderMessages::Handle(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    if (!FromDecoder(context.category)) {
        if (QtMessageHandler previous = gPrevious) previous(type, context, text);
        return;
    }
    const bool complaint = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    DecoderMessages* current = gCurrent;
    if (complaint && current != nullptr && current->first_.empty()) {
        current->first_ = text.toStdString();
    }
}
