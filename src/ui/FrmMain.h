#pragma once

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/Language.h"
#include "ui/PageServices.h"

class QAction;
class QShortcut;
class QSplitter;
class QTabWidget;

namespace quillane {

class TConvertPage;
class TCropPage;
class TDialogs;
class TEffectPreview;
struct TEffectRequest;
class TJobRunner;
class TOperationPage;
class TPercentPage;
class TPixelPage;
class TRunStatus;
class TRenamePage;
struct TSettings;
class TSettingsStore;
class TWatermarkPage;
class TWindowLanguage;
class TWOrHPage;
class TSourceBrowser;
class TWindowHost;

// The main window: the source browser above the seven operation pages. A start button
// checks its page on the GUI thread and hands the run to a worker thread; during a run
// the page and the source browser are locked and a stop button is offered.
// With a settings file, the window size and the page fields are restored from it at
// start and written back to it at close; without one nothing is kept.
class TfrmMain : public QMainWindow, public TPageServices {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr, std::filesystem::path settingsFile = {});
    ~TfrmMain() override;

    // The dialogs are created after the window, so they are handed in afterwards.
    void SetDialogs(TDialogs* dialogs) { dialogs_ = dialogs; }
    TDialogs* Dialogs() const { return dialogs_; }
    TDialogs* PageDialogs() const override { return dialogs_; }
    QString SelectedTreeFolder() const override;

    TSourceBrowser* Browser() const { return GroupBox1; }
    TOperationPage* Page(TJobPage page) const;
    TOperationPage* RunningPage() const { return runningPage_; }
    TWindowHost& Host() const { return *host_; }
    // The run's progress and stop button in the status bar, seen from every page.
    TRunStatus* RunStatus() const { return runStatus_; }
    void ShowRunProgress(const TProgress& progress);
    bool JobRunning() const;

    // Opens what the command line or a drop names: a folder, or pictures, whose folder
    // is then shown with the first of them selected. Nothing while a run goes on.
    bool OpenPaths(const QStringList& paths);

    // A start button's click: the checks now, then the run on the worker thread.
    // `closingMessage` is the job's closing message: a run the user stopped still ends
    // with it, as every run that passed its checks does.
    void StartJob(TBatchJob&& job);
    // The page's job built from its fields; with `outputFolder`, that folder replaces the
    // page's own (none for renaming, which writes no new file).
    std::shared_ptr<TBatchJob> MakeJob(TJobPage page, const std::string* outputFolder = nullptr) const;
    TEffectPreview* EffectPreview() const { return effect_; }
    // A stop button or Esc: the run ends after the file in progress.
    void RequestStop();

    // Shows the window, its dialogs and the engine's texts in `language` at once and
    // stores the choice in the settings file.
    void ChooseLanguage(TLanguage language);
    TLanguage Language() const;

signals:
    // A run has ended and the window is unlocked again.
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void ApplyLanguage(TLanguage language);
    TLanguage StartLanguage() const;
    void BuildPages();
    void BuildEffectPreview();
    TEffectRequest EffectRequest(const std::string& outputFolder) const;
    void FormCreate();
    void CentreOnScreen();
    void SetRunLock(bool locked);
    void RunEnded();
    // The settings file (FrmMainSettings.cpp).
    void LoadWindowSize();
    TSettings StoredPageFields() const;
    void LoadPageFields();
    void SaveSettings();

    void BtnPercentClick();
    void BtnPixelClick();
    void BtnWOrHClick();
    void BtnRenameClick();
    void BtnConvertClick();
    void BtnCutClick();
    void BtnWatermarkClick();
    void mnuUndoClick();
    void mnuExitClick();
    void mnuOutputClick();
    void LoadOutputSettings();
    void mnuAboutClick();
    void N2Click();
    void BtnGoodClick();

    TDialogs* dialogs_ = nullptr;
    TWindowLanguage* language_ = nullptr;
    TWindowHost* host_ = nullptr;
    TJobRunner* runner_ = nullptr;
    TRunStatus* runStatus_ = nullptr;
    TEffectPreview* effect_ = nullptr;
    QShortcut* escapeStops_ = nullptr;
    TSourceBrowser* GroupBox1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TPercentPage* TabSheet1 = nullptr;
    TPixelPage* TabSheet5 = nullptr;
    TWOrHPage* TabSheet6 = nullptr;
    TRenamePage* TabSheet3 = nullptr;
    TConvertPage* TabSheet2 = nullptr;
    TCropPage* TabSheet4 = nullptr;
    TWatermarkPage* TabSheet7 = nullptr;
    std::unique_ptr<TSettingsStore> settings_;
    std::array<TOperationPage*, 7> pages_{};
    TOperationPage* runningPage_ = nullptr;
    std::shared_ptr<TRunOutcome> outcome_;
    std::string closingMessage_;
    bool stoppedByUser_ = false;
    bool closeAfterRun_ = false;
};

}  // namespace quillane
