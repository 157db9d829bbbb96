#pragma once

#include <QtGlobal>
#include <string>

// While one lives, what Qt's picture decoders say (the SVG reader, the image readers) is held
// here instead of going to stderr: a picture that cannot be used is told once, in the program's
// voice, with the decoder's reason folded in; one that can is not talked about at all.
class DecoderMessages {
  public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    // The first thing a decoder said, or nothing.
    const std::string& First() const { return first_; }

  private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_;
    std::string first_;
};
