#pragma once

#include <memory>
#include <string>

// Everything that leaves the process goes through here: the real services talk to the desktop,
// tests install recording ones.
class Services {
  public:
    virtual ~Services() = default;

    virtual void ShowURL(const std::string& address) = 0;
    virtual void MessageBox(const std::string& text) = 0;
    virtual void Speak(const std::string& text, bool interrupt) = 0;
    virtual void PlaySound(const std::string& path) = 0;

    // The installed services; using them before any were installed raises NilObjectException.
    static Services& Current();
    static bool Installed();
    // Kept until the runtime's finalisers release them.
    static void Install(std::unique_ptr<Services> services);
};
