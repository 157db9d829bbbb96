#pragma once

#include <string>

#include "runtime/Object.h"

class Sound : public Object {
  public:
    explicit Sound(std::string path) : path_(std::move(path)) {}

    static const ClassInfo& Class();
    const ClassInfo& GetClassInfo() const override { return Class(); }

    const std::string& Path() const { return path_; }
    // Starts the sound and returns at once; playing it again while it plays starts it over.
    void Play();

  private:
    std::string path_;
};
