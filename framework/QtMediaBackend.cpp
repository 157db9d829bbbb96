#include "QtMediaBackend.h"

#include <QSoundEffect>
#include <QTextToSpeech>
#include <QUrl>
#include <cstdio>

QtMediaBackend::QtMediaBackend() = default;
QtMediaBackend::~QtMediaBackend() = default;

QTextToSpeech* QtMediaBackend::Speech() {
    if (speech_ || speechUnavailable_) return speech_.get();
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty()) {
        speechUnavailable_ = true;
        std::fprintf(stderr, "Speech: no speech engine is installed\n");
        return nullptr;
    }
    // speech-dispatcher, when installed, outranks flite but needs a daemon and can hang on exit.
    const QString engine =
        engines.contains(QStringLiteral("flite")) ? QStringLiteral("flite") : QString();
    speech_ = std::make_unique<QTextToSpeech>(engine);
    if (speech_->state() == QTextToSpeech::Error) {
        std::fprintf(stderr, "Speech: %s\n", qPrintable(speech_->errorString()));
        speech_.reset();
        speechUnavailable_ = true;
        return nullptr;
    }
    QObject::connect(speech_.get(), &QTextToSpeech::stateChanged, speech_.get(),
                     [this](QTextToSpeech::State state) {
                         if (state == QTextToSpeech::Ready) SpeakNext();
                     });
    return speech_.get();
}

void QtMediaBackend::Speak(const std::string& text, bool interrupt) {
    QTextToSpeech* speech = Speech();
    if (speech == nullptr) return;
    if (interrupt) speechQueue_.clear();
    speechQueue_.push_back(text);
    if (interrupt || speech->state() != QTextToSpeech::Speaking) SpeakNext();
}

void QtMediaBackend::SpeakNext() {
    if (speechQueue_.empty() || !speech_) return;
    const std::string next = speechQueue_.front();
    speechQueue_.pop_front();
    speech_->say(QString::fromStdString(next));
    if (speech_->state() == QTextToSpeech::Error) {
        std::fprintf(stderr, "Speech: %s\n", qPrintable(speech_->errorString()));
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

extern "C" Q_DECL_EXPORT MediaBackend* DiceCreateMediaBackend() {
    return new QtMediaBackend();
}
