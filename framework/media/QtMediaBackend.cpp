#include "media/QtMediaBackend.h"

#include <QSoundEffect>
#include <QTextToSpeech>
#include <QUrl>

QtMediaBackend::QtMediaBackend(void (*report)(const char* line))
    : report_(report), queue_([this](const std::string& text) { Say(text); }) {}
QtMediaBackend::~QtMediaBackend() = default;

QTextToSpeech* QtMediaBackend::Speech() {
    if (speech_ || speechUnavailable_) return speech_.get();
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        speechUnavailable_ = true;
        Report(QStringLiteral("no speech engine is installed"));
        return nullptr;
    }
    // speech-dispatcher, when installed, outranks flite but needs a daemon and can hang on exit.
    const QString engine =
        engines.contains(QStringLiteral("flite")) ? QStringLiteral("flite") : QString();
    speech_ = std::make_unique<QTextToSpeech>(engine);
    if (speech_->state() == QTextToSpeech::Error) {
        Report(speech_->errorString());
        speech_.reset();
        speechUnavailable_ = true;
        return nullptr;
    }
    QObject::connect(speech_.get(), &QTextToSpeech::stateChanged, speech_.get(),
                     [this](QTextToSpeech::State state) {
                         if (state == QTextToSpeech::Ready) queue_.Finished();
                     });
    return speech_.get();
}

void QtMediaBackend::Speak(const std::string& text, bool interrupt) {
    if (Speech() != nullptr) queue_.Speak(text, interrupt);
}

void QtMediaBackend::Say(const std::string& text) {
    speech_->say(QString::fromStdString(text));
    if (speech_->state() == QTextToSpeech::Error) {
        // Nothing will be said, so nothing will finish: the next call-out must not wait for it.
        Report(speech_->errorString());
        QMetaObject::invokeMethod(
            speech_.get(), [this] { queue_.Finished(); }, Qt::QueuedConnection);
    }
}

void QtMediaBackend::PlaySound(const std::string& path) {
    std::unique_ptr<QSoundEffect>& effect = sounds_[path];
    // An effect that failed once stays failed; a fresh one gets a fresh try.
    if (!effect || effect->status() == QSoundEffect::Error) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    effect->play();
}

void QtMediaBackend::Report(const QString& text) const {
    report_(("speech: " + text).toUtf8().constData());
}

extern "C" Q_DECL_EXPORT MediaBackend* DiceCreateMediaBackend(void (*report)(const char* line)) {
    return new QtMediaBackend(report);
}
