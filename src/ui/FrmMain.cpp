#include "ui/FrmMain.h"

#include "jobs/ControlNames.h"
#include "jobs/JobTexts.h"
#include "jobs/ReasonTexts.h"
#include "jobs/RunFrame.h"
#include "jobs/RunJournal.h"
#include "jobs/ThumbRoutines.h"
#include "ui/AppInfo.h"
#include "ui/ConvertPage.h"
#include "ui/CropPage.h"
#include "ui/Dialogs.h"
#include "ui/EffectPreview.h"
#include "ui/JobRunner.h"
#include "ui/LanguageMenu.h"
#include "ui/PercentPage.h"
#include "ui/PixelPage.h"
#include "ui/PreviewPane.h"
#include "ui/RenamePage.h"
#include "ui/RunStatus.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"
#include "ui/WOrHPage.h"
#include "ui/WatermarkPage.h"
#include "ui/WindowHost.h"
#include "ui/WindowLanguage.h"
#include "ui/settings/SettingsStore.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace quillane {

namespace {

}  // namespace

TfrmMain::TfrmMain(QWidget* parent, std::filesystem::path settingsFile) : QMainWindow(parent)
{
    if (!settingsFile.empty())
        settings_ = std::make_unique<TSettingsStore>(std::move(settingsFile));
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kAppTitle);
    host_ = new TWindowHost(*this);
    runner_ = new TJobRunner(this);
    connect(runner_, &TJobRunner::Finished, this, &TfrmMain::RunEnded);

    auto* central = new QWidget(this);
    GroupBox1 = new TSourceBrowser(central);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Splitter2 = new QSplitter(Qt::Vertical, central);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->addWidget(GroupBox1);
    Splitter2->addWidget(PageControl1);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setSizes({400, 239});
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(Splitter2);
    setCentralWidget(central);

    runStatus_ = new TRunStatus(this);
    statusBar()->addPermanentWidget(runStatus_);
    connect(runStatus_, &TRunStatus::StopClicked, this, &TfrmMain::RequestStop);
    escapeStops_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &TfrmMain::RequestStop);
    escapeStops_->setEnabled(false);  // only while a run goes on

    BuildMenus();
    BuildPages();
    connect(GroupBox1, &TSourceBrowser::OpenRequested, this, [this](const QUrl& url) {
        if (dialogs_)
            dialogs_->OpenUrl(url);
    });
    connect(GroupBox1, &TSourceBrowser::InformationRequested, this, [this](const QString& text) {
        if (dialogs_)
            dialogs_->ShowMessage(text, TMessageStyle::msInformationOk);
    });
    BuildEffectPreview();
    setAcceptDrops(true);
    FormCreate();
    language_ = new TWindowLanguage(this);
    ApplyLanguage(StartLanguage());
}

TfrmMain::~TfrmMain()
{
    // The worker still calls into this window: end the run before anything goes away.
    if (JobRunning()) {
        host_->SetClosing();
        host_->RequestStop();
        runner_->WaitUntilFinished();
    }
}

void TfrmMain::BuildMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(Window::tr("文件(&F)"));
    QAction* mnuUndo = fileMenu->addAction(QString::fromUtf8(kUndoMenu), this, &TfrmMain::mnuUndoClick);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    // Named after the run it would take back, looked up each time the menu opens.
    connect(fileMenu, &QMenu::aboutToShow, this, [this, mnuUndo] {
        const std::optional<TJournalRun> run = LastUndoableRun();
        mnuUndo->setText(run ? QString::fromStdString(UndoCaption(*run, host_->Texts().Lookup()))
                             : WindowText(QString::fromUtf8(kUndoMenu)));
        mnuUndo->setEnabled(run.has_value() && !JobRunning());
    });
    QAction* mnuOutput = fileMenu->addAction(Window::tr("输出设置…"), this, &TfrmMain::mnuOutputClick);
    mnuOutput->setObjectName(QStringLiteral("mnuOutput"));
    fileMenu->addSeparator();
    QAction* mnuExit = fileMenu->addAction(Window::tr("退出(&X)"), this, &TfrmMain::mnuExitClick);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    QMenu* helpMenu = menuBar()->addMenu(Window::tr("帮助(&H)"));
    QAction* N2 = helpMenu->addAction(Window::tr("升级信息"), this, &TfrmMain::N2Click);
    N2->setObjectName(QStringLiteral("N2"));
    helpMenu->addSeparator();
    QAction* mnuAbout = helpMenu->addAction(Window::tr("关于..."), this, &TfrmMain::mnuAboutClick);
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    helpMenu->addSeparator();
    AddLanguageMenu(helpMenu, StartLanguage(), [this](TLanguage language) { ChooseLanguage(language); });
}

void TfrmMain::BuildPages()
{
    TabSheet1 = new TPercentPage(PageControl1, *this);
    TabSheet5 = new TPixelPage(PageControl1, *this);
    TabSheet6 = new TWOrHPage(PageControl1, *this);
    TabSheet3 = new TRenamePage(PageControl1);
    TabSheet2 = new TConvertPage(PageControl1, *this);
    TabSheet4 = new TCropPage(PageControl1, *this);
    TabSheet7 = new TWatermarkPage(PageControl1, *this);
    // In the order of the tabs, which is also the order of TJobPage.
    pages_ = {TabSheet1, TabSheet5, TabSheet6, TabSheet3, TabSheet2, TabSheet4, TabSheet7};
    const char* const captions[] = {
        QT_TRANSLATE_NOOP("Window", "按百分比生成缩略图"),     QT_TRANSLATE_NOOP("Window", "按宽和高像素生成缩略图"),
        QT_TRANSLATE_NOOP("Window", "按宽或高像素生成缩略图"), QT_TRANSLATE_NOOP("Window", "批量重命名"),
        QT_TRANSLATE_NOOP("Window", "批量类型转换"),           QT_TRANSLATE_NOOP("Window", "批量剪裁"),
        QT_TRANSLATE_NOOP("Window", "批量设置水印标签")};
    // Renaming works in place: it has no output folder.
    const char* const outputFields[] = {
        control::lbEdtSavePath,  control::EdtSavePixel, control::EdtWOrHPath,     nullptr,
        control::lbEdtSavePath2, control::EdtCutSave,   control::EdtWatermarkSave};
    for (size_t index = 0; index < pages_.size(); ++index) {
        PageControl1->addTab(pages_[index], Window::tr(captions[index]));
        pages_[index]->SetOutputFolderField(outputFields[index]);
        connect(pages_[index], &TOperationPage::StopClicked, this, &TfrmMain::RequestStop);
        connect(pages_[index], &TOperationPage::OpenFolderRequested, this, [this](const QString& folder) {
            if (dialogs_)
                dialogs_->OpenUrl(QUrl::fromLocalFile(folder));
        });
    }
    connect(TabSheet1, &TOperationPage::StartClicked, this, &TfrmMain::BtnPercentClick);
    connect(TabSheet5, &TOperationPage::StartClicked, this, &TfrmMain::BtnPixelClick);
    connect(TabSheet6, &TOperationPage::StartClicked, this, &TfrmMain::BtnWOrHClick);
    connect(TabSheet3, &TOperationPage::StartClicked, this, &TfrmMain::BtnRenameClick);
    connect(TabSheet2, &TOperationPage::StartClicked, this, &TfrmMain::BtnConvertClick);
    connect(TabSheet4, &TOperationPage::StartClicked, this, &TfrmMain::BtnCutClick);
    connect(TabSheet7, &TOperationPage::StartClicked, this, &TfrmMain::BtnWatermarkClick);
    connect(TabSheet2, &TConvertPage::BtnGoodClick, this, &TfrmMain::BtnGoodClick);
}

void TfrmMain::FormCreate()
{
    resize(839, 669);
    LoadWindowSize();
    CentreOnScreen();
    GroupBox1->CheckAllTypes();
    GroupBox1->RebuildList();
    GroupBox1->SelectImagePreview();
    LoadPageFields();
    LoadOutputSettings();
    GroupBox1->UpdateCaption();
}

void TfrmMain::CentreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TOperationPage* TfrmMain::Page(TJobPage page) const
{
    return pages_.at(static_cast<size_t>(page));
}

bool TfrmMain::JobRunning() const
{
    return runner_->Running();
}

void TfrmMain::StartJob(TBatchJob&& job)
{
    if (JobRunning())
        return;
    // The run works on exactly the items listed at the click, whatever the list shows
    // while results are written into the folder.
    std::optional<TJobPlan> plan = job.Check(*host_, GroupBox1->SourceList());
    if (!plan)
        return;
    host_->ClearStopRequest();
    runningPage_ = Page(plan->Page);
    closingMessage_ = plan->ClosingMessage;
    stoppedByUser_ = false;
    outcome_ = std::make_shared<TRunOutcome>();
    SetRunLock(true);
    runner_->Start([plan = std::make_shared<const TJobPlan>(std::move(*plan)), host = host_, outcome = outcome_] {
        *outcome = RunPlan(*host, *plan);
    });
}

void TfrmMain::RequestStop()
{
    if (!JobRunning())
        return;
    stoppedByUser_ = true;
    host_->RequestStop();
    runStatus_->ShowStopping();
    if (runningPage_ != nullptr)
        runningPage_->ShowStopping();
}

void TfrmMain::ShowRunProgress(const TProgress& progress)
{
    if (runningPage_ != nullptr)
        runningPage_->ShowProgress(progress);
    runStatus_->ShowProgress(progress);
}

void TfrmMain::SetRunLock(bool locked)
{
    GroupBox1->setEnabled(!locked);
    escapeStops_->setEnabled(locked);
    if (locked)
        runStatus_->Begin();
    else
        runStatus_->End();
    for (TOperationPage* page : pages_) {
        if (page != runningPage_)
            page->SetLocked(locked);
        else if (locked)
            page->BeginRun();
        else
            page->EndRun();
    }
}

void TfrmMain::RunEnded()
{
    SetRunLock(false);
    runningPage_ = nullptr;
    // The engine ends a stopped run quietly, since a job may stop itself on an error;
    // a stop the user asked for still gets the run's closing message.
    if (outcome_->Stopped && stoppedByUser_ && !closeAfterRun_ && !closingMessage_.empty())
        host_->ShowMessage(closingMessage_, TMessageStyle::msInformationOk);
    emit RunFinished();
    if (closeAfterRun_)
        close();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (JobRunning()) {
        // Stop after the file in progress, answer a waiting prompt, and close once the
        // worker has ended; the GUI thread never blocks on it.
        closeAfterRun_ = true;
        host_->SetClosing();
        host_->RequestStop();
        if (dialogs_)
            dialogs_->AnswerPending();
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}

bool TfrmMain::OpenPaths(const QStringList& paths)
{
    if (JobRunning())
        return false;
    for (const QString& path : paths)
        if (GroupBox1->ShowPath(path))
            return true;
    return false;
}

namespace {

QStringList LocalFilesOf(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

}  // namespace

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!JobRunning() && !LocalFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    if (OpenPaths(LocalFilesOf(event->mimeData())))
        event->acceptProposedAction();
}

namespace {

template <typename TFields>
TFields WithOutputFolder(TFields fields, const std::string* outputFolder)
{
    if (outputFolder != nullptr)
        fields.SavePath = *outputFolder;
    return fields;
}

}  // namespace

std::shared_ptr<TBatchJob> TfrmMain::MakeJob(TJobPage page, const std::string* outputFolder) const
{
    switch (page) {
    case TJobPage::jpPercent:
        return std::make_shared<TPercentBatch>(WithOutputFolder(TabSheet1->Fields(), outputFolder),
                                               LibraryThumbRoutines());
    case TJobPage::jpPixel:
        return std::make_shared<TPixelBatch>(WithOutputFolder(TabSheet5->Fields(), outputFolder),
                                             LibraryThumbRoutines());
    case TJobPage::jpWOrH:
        return std::make_shared<TWOrHBatch>(WithOutputFolder(TabSheet6->Fields(), outputFolder),
                                            LibraryThumbRoutines());
    case TJobPage::jpRename:
        return outputFolder ? nullptr : std::make_shared<TRenameBatch>(TabSheet3->Fields());
    case TJobPage::jpConvert:
        return std::make_shared<TConvertBatch>(WithOutputFolder(TabSheet2->Fields(), outputFolder));
    case TJobPage::jpCrop:
        return std::make_shared<TCropBatch>(WithOutputFolder(TabSheet4->Fields(), outputFolder));
    case TJobPage::jpWatermark:
        return std::make_shared<TWatermarkBatch>(WithOutputFolder(TabSheet7->Fields(), outputFolder));
    }
    return nullptr;
}

void TfrmMain::BtnPercentClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpPercent)));
}

void TfrmMain::BtnPixelClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpPixel)));
}

void TfrmMain::BtnWOrHClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpWOrH)));
}

void TfrmMain::BtnRenameClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpRename)));
}

void TfrmMain::BtnConvertClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpConvert)));
}

void TfrmMain::BtnCutClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpCrop)));
}

void TfrmMain::BtnWatermarkClick()
{
    StartJob(std::move(*MakeJob(TJobPage::jpWatermark)));
}

// Any change of a page's fields, of the page or of the picture brings a new effect preview.
void TfrmMain::BuildEffectPreview()
{
    effect_ = new TEffectPreview(this, [this](const std::string& outputFolder) { return EffectRequest(outputFolder); });
    TPreviewPane* pane = GroupBox1->Preview();
    connect(effect_, &TEffectPreview::Outdated, pane, &TPreviewPane::MarkEffectOutdated);
    connect(effect_, &TEffectPreview::Ready, pane, &TPreviewPane::ShowEffect);
    const auto changed = [this] {
        if (GroupBox1->EffectMode())
            effect_->Schedule();
    };
    connect(GroupBox1, &TSourceBrowser::EffectPreviewWanted, effect_, &TEffectPreview::Schedule);
    connect(PageControl1, &QTabWidget::currentChanged, this, changed);
    for (TOperationPage* page : pages_) {
        for (auto* edit : page->findChildren<QLineEdit*>())
            connect(edit, &QLineEdit::textChanged, this, changed);
        for (auto* box : page->findChildren<QComboBox*>())
            connect(box, &QComboBox::currentIndexChanged, this, changed);
        // Choices, and the buttons of the colour and font dialogs.
        for (auto* button : page->findChildren<QAbstractButton*>()) {
            connect(button, &QAbstractButton::toggled, this, changed);
            connect(button, &QAbstractButton::clicked, this, changed);
        }
    }
}

TEffectRequest TfrmMain::EffectRequest(const std::string& outputFolder) const
{
    TEffectRequest request;
    request.Language = Language();
    const std::optional<TSourceItem> item = GroupBox1->List()->SelectedItem();
    if (!item || item->IsFolder) {
        request.Reason = Window::tr("请在文件列表中选择一张图片");
        return request;
    }
    const auto page = static_cast<TJobPage>(PageControl1->currentIndex());
    request.Job = MakeJob(page, &outputFolder);
    request.Picture = item->Path;
    if (!request.Job)
        request.Reason = Window::tr("批量重命名只改变文件名，图片不变");
    return request;
}

QString TfrmMain::SelectedTreeFolder() const
{
    return GroupBox1->TreeFolder();
}

// Takes the last run that changed files in place back, and says what could not be.
void TfrmMain::mnuUndoClick()
{
    const std::optional<TJournalRun> run = LastUndoableRun();
    if (JobRunning() || !run)
        return;
    QStringList skipped;
    int restored = 0;
    for (const TUndoneStep& step : UndoRun(*run)) {
        if (step.Result)
            ++restored;
        else
            skipped << QFile::decodeName(QByteArray::fromStdString(step.Path.string())) + QStringLiteral(": ") +
                           QString::fromStdString(host_->Texts().Failure({step.Result.Reason(), {}}));
    }
    GroupBox1->List()->Rebuild();
    host_->ShowMessage(UndoSummary(restored, skipped.size(), host_->Texts().Lookup()) +
                           (skipped.isEmpty() ? std::string() : "\n" + skipped.mid(0, 10).join('\n').toStdString()),
                       TMessageStyle::msInformationOk);
}

void TfrmMain::mnuExitClick()
{
    close();
}

void TfrmMain::mnuAboutClick()
{
    if (dialogs_)
        dialogs_->ShowAbout();
}

void TfrmMain::N2Click()
{
    if (dialogs_)
        dialogs_->OpenUrl(MakerWebPage());
}

void TfrmMain::BtnGoodClick()
{
    N2Click();
}

}  // namespace quillane
