#include "pictures/DecoderMessages.h"

#include <QString>
#include <atomic>

namespace {

std::atomic<DecoderMessages*> gCurrent{nullptr};
std::atomic<QtMessageHandler> gPrevious{nullptr};

}  // namespace

DecoderMessages::DecoderMessages() : outer_(gCurrent.exchange(this)) {
    // Qt hands back its own printing handler when no other was installed.
    previous_ = qInstallMessageHandler(&Handle);
    if (outer_ == nullptr) gPrevious = previous_;
}

DecoderMessages::~DecoderMessages() {
    qInstallMessageHandler(previous_);
    gCurrent = outer_;
}

void DecoderMessages::Handle(QtMsgType type, const QMessageLogContext& context,
                             const QString& text) {
    DecoderMessages* current = gCurrent;
    if (current == nullptr || current->thread_ != std::this_thread::get_id()) {
        if (QtMessageHandler previous = gPrevious) previous(type, context, text);
        return;
    }
    const bool complaint = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    if (complaint && current->first_.empty()) current->first_ = text.toStdString();
}
