#include "platform/QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <optional>

#include "platform/Bundle.h"
#include "platform/CodeModule.h"
#include "platform/MediaBackend.h"
#include "platform/ResourceReport.h"
#include "runtime/Runtime.h"

namespace {
void ReportLine(const char* text) {
    RuntimeReport(text);
}
}  // namespace

QtServices::QtServices() = default;
QtServices::~QtServices() = default;

void QtServices::ShowURL(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void QtServices::MessageBox(const std::string& text) {
    QMessageBox box(QApplication::activeWindow());
    // Without a title of its own the box would take Qt's name for the program, the executable's.
    box.setWindowTitle(QString::fromStdString(RuntimeProgramIdentity().name));
    box.setText(QString::fromStdString(text));
    box.exec();
}

void QtServices::Speak(const std::string& text, bool interrupt) {
    if (MediaBackend* media = Media()) media->Speak(text, interrupt);
}

void QtServices::PlaySound(const std::string& path) {
    if (MediaBackend* media = Media()) media->PlaySound(path);
}

MediaBackend* QtServices::Media() {
    if (mediaTried_) return media_.get();
    mediaTried_ = true;
    Ref<FolderItem> folder = Bundle::PlugIns();
    if (folder.IsNil()) return nullptr;
    std::string problem;
    std::optional<CodeModule> module =
        CodeModule::Open(FolderItem(folder->NativePath() / kMediaBackendModule), problem);
    auto create = reinterpret_cast<decltype(&DiceCreateMediaBackend)>(
        module ? module->Load(kMediaBackendEntry, problem) : nullptr);
    if (create == nullptr) {
        ResourceReport::Once("sound and speech module", kMediaBackendModule, problem);
        return nullptr;
    }
    media_.reset(create(&ReportLine));
    return media_.get();
}

void _InitPluginEntrypoints() {
    // Tests have installed their own by now; the program gets the desktop's.
    if (!Services::Installed()) Services::Install(std::make_unique<QtServices>());
}
