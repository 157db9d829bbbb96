#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/Startup.h"
#include "platform/Bundle.h"
#include "runtime/Runtime.h"

namespace {

// The QApplication is made only when a test runs, so that listing the tests needs no display.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        Bundle::OverrideExecutablePath(DICE_TEST_EXECUTABLE);
        RuntimeSetProgramIdentity(Identity());
        RuntimeInit();
        RuntimePerformInitializers(ProgramInitializers());
    }
    void TearDown() override {
        RuntimePerformFinalizers();
        RuntimeExit();
    }
};

}  // namespace

int main(int argc, char** argv) {
    RuntimeStartProcess(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
