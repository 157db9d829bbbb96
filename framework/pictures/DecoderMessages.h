#pragma once

#include <QtGlobal>
#include <string>
#include <thread>

// While one lives, what Qt says on the thread that made it (the SVG reader, the image readers,
// the painter drawing a picture) is held here instead of going to stderr: a picture that cannot
// be used is told once, in the program's voice, with what was said folded in. What other
// threads say passes on as before.
class DecoderMessages {
  public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    // The first warning or error said, or nothing; what is said for information only (the PNG
    // library's notes on a picture it takes) is dropped.
    const std::string& FirstComplaint() const { return first_; }

  private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_;
    DecoderMessages* outer_;
    std::thread::id thread_ = std::this_thread::get_id();
    std::string first_;
};
