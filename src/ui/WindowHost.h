#pragma once

#include <memory>

#include <QObject>

#include <filesystem>
#include <string>
#include <vector>

#include "jobs/JobHost.h"
#include "texts/HostTexts.h"
#include "jobs/ParallelExecutor.h"

namespace quillane {

class TfrmMain;

// The main window as the engine's host. Checks run on the GUI thread; a run may call
// from a worker thread, and every such call is carried out on the GUI thread while the
// worker waits (Qt::BlockingQueuedConnection), so prompts are modal there and widgets
// are only ever touched by the thread that owns them.
class TWindowHost : public QObject, public TJobHost, public TFormHost {
    Q_OBJECT

public:
    explicit TWindowHost(TfrmMain& window);

    // The window is closing: no more boxes are shown, a prompt counts as "否".
    void SetClosing() { closing_ = true; }
    // The language of the engine's texts from now on; called on the GUI thread.
    void SetLanguage(TLanguage language);
    // The engine's texts in that language, for those the window composes itself.
    const THostTexts& Texts() const { return *texts_; }

    TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) override;
    void ShowError(const std::string& text) override;
    TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path& target) override;

    void ClearResults(TJobPage page) override;
    void ShowResults(TJobPage page) override;
    void AppendResult(TJobPage page, const std::string& line) override;
    // The reason becomes the line's tooltip, and the status bar's text when it is clicked.
    void ReportFailure(TJobPage page, const std::filesystem::path& source, const TFailure& failure) override;

    TFormHost* Form() override { return this; }
    void SetFieldText(const std::string& field, const std::string& text) override;
    void FocusField(const std::string& field) override;

    void SetBusyCursor(bool busy) override;
    void SetTypeListEnabled(bool enabled) override;
    void RefreshSourceList() override;
    void ReportProgress(const TProgress& progress) override;
    // One picture per core; only the engine's coordinating thread asks, nothing is marshalled.
    std::size_t RoutineWorkers() override { return DefaultRoutineWorkers(); }
    // The settings of the "输出设置" dialog; read by a run on the GUI thread, where they change.
    TOutputSettings OutputSettings() override;
    void SetOutputSettings(const TOutputSettings& settings) { output_ = settings; }

private:
    // Runs `call` on the GUI thread and returns its result; inline when already there.
    template <typename TCall>
    auto OnGui(TCall call) -> decltype(call());

    TfrmMain& window_;
    bool closing_ = false;
    std::unique_ptr<THostTexts> texts_;  // used on the GUI thread only
    int busyDepth_ = 0;
    TOutputSettings output_;
};

}  // namespace quillane
