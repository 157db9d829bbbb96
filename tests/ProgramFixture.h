#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "RecordingServices.h"
#include "app/Startup.h"
#include "platform/Services.h"

// Starts the program as its entry point does, up to (not into) the event loop, with recording
// services in place of the desktop's.
class ProgramFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        auto services = std::make_unique<RecordingServices>();
        recorded = services.get();
        Services::Install(std::move(services));
        _EarlyStartup();
        _LateStartup();
    }

    // Handles events until the condition holds or the time runs out; reports whether it held.
    static bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > timeoutMs) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    RecordingServices* recorded = nullptr;
};
