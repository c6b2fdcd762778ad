// The image library's headers come before Qt's, whose "signals" keyword clashes with glib.
#include <vips/vips.h>
#include "ui/WindowLanguage.h"

#include "ui/EffectPreview.h"

#include "imaging/MemoryTarget.h"
#include "imaging/PicturePixels.h"
#include "jobs/BatchJob.h"
#include "jobs/ReasonTexts.h"
#include "jobs/RunFrame.h"
#include "jobs/TypeFilter.h"
#include "texts/HostTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <utility>

namespace quillane {

namespace {

QString FromEngine(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// A host for one picture and no one to ask: the first message of the checks is why the
// preview cannot be made, a question is answered "否" (so nothing is created), and the
// results box, the progress and the closing message go nowhere. The reason is kept in
// the window's language.
class TPreviewHost final : public TJobHost {
public:
    TPreviewHost(std::filesystem::path picture, TLanguage language) : picture_(std::move(picture)), texts_(language) {}

    const std::string& Why() const { return why_; }
    const THostTexts& Texts() const { return texts_; }
    void ChecksPassed() { checking_ = false; }

    // The picture as the one item of the list.
    TSourceList Sources() const { return {{{picture_, false}}, picture_.parent_path(), false, TypeCaptions()}; }

    TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) override
    {
        if (checking_)
            Note(texts_.Message(text));
        return style == TMessageStyle::msQuestionYesNo ? TMessageAnswer::maNo : TMessageAnswer::maOk;
    }
    void ShowError(const std::string& text) override { Note(texts_.Message(text)); }
    TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path&) override { return {false, false}; }

    void ClearResults(TJobPage) override {}
    void ShowResults(TJobPage) override {}
    void AppendResult(TJobPage, const std::string&) override {}
    void ReportFailure(TJobPage, const std::filesystem::path&, const TFailure& failure) override
    {
        Note(texts_.Failure(failure));
    }
    void ReportStop(TJobPage, const std::string&) override {}

    // Every routine on the computing thread: its memory target is that thread's.
    std::size_t RoutineWorkers() override { return 1; }
    void RefreshSourceList() override {}
    void ReportProgress(const TProgress&) override {}

private:
    void Note(const std::string& text)
    {
        if (why_.empty())
            why_ = text;
    }

    std::filesystem::path picture_;
    THostTexts texts_;
    std::string why_;
    bool checking_ = true;
};

namespace {

TEffectResult ComputeWith(TPreviewHost& host, TBatchJob& job)
{
    TEffectResult result;
    const TMemoryTarget memory;  // every file of this thread goes to memory
    const std::optional<TJobPlan> plan = job.Check(host, host.Sources());
    if (!plan) {
        result.Reason = FromEngine(host.Why());
        return result;
    }
    host.ChecksPassed();
    RunPlan(host, *plan);
    if (!memory.Written()) {
        result.Reason = host.Why().empty() ? Window::tr("没有写出图片") : FromEngine(host.Why());
        return result;
    }
    result.Bytes = static_cast<qint64>(memory.Bytes().size());
    std::optional<TRgbaPixels> pixels = DecodeRgbaPixels(memory.Bytes());
    if (!pixels) {
        result.Reason = FromEngine(host.Texts().Message(ReasonText(TReason::rsDamaged)));
        return result;
    }
    result.Size = QSize(pixels->width, pixels->height);
    result.Picture = QImage(pixels->bytes.data(), pixels->width, pixels->height,
                            static_cast<qsizetype>(pixels->width) * 4, QImage::Format_RGBA8888)
                         .copy();
    return result;
}

}  // namespace

TEffectResult ComputeEffect(TBatchJob& job, const std::filesystem::path& picture, TLanguage language)
{
    TPreviewHost host(picture, language);
    return ComputeWith(host, job);
}

TEffectPreview::TEffectPreview(QObject* parent, TRequestSource source)
    : QObject(parent), source_(std::move(source)), delay_(new QTimer(this))
{
    delay_->setSingleShot(true);
    delay_->setInterval(200);
    connect(delay_, &QTimer::timeout, this, &TEffectPreview::Start);
}

TEffectPreview::~TEffectPreview()
{
    if (worker_ != nullptr) {
        host_->RequestStop();  // the run ends after the picture in progress
        worker_->wait();
        delete worker_;
    }
}

void TEffectPreview::Schedule()
{
    changed_ = true;
    emit Outdated();
    delay_->start();
}

void TEffectPreview::Start()
{
    if (worker_ != nullptr)
        return;  // once the computation under way ends
    changed_ = false;
    if (!outputFolder_)
        outputFolder_ = std::make_unique<QTemporaryDir>();
    TEffectRequest request = source_(QFile::encodeName(outputFolder_->path()).toStdString());
    if (!request.Job || request.Picture.empty()) {
        TEffectResult result;
        result.Reason = request.Reason;
        emit Ready(result);
        return;
    }
    host_ = std::make_shared<TPreviewHost>(request.Picture, request.Language);
    worker_ = QThread::create([this, host = host_, job = std::move(request.Job)] {
        TEffectResult result = ComputeWith(*host, *job);
        // The image library keeps per-thread buffers for threads it did not create.
        vips_thread_shutdown();
        QMetaObject::invokeMethod(
            this, [this, result] { Finished(result); }, Qt::QueuedConnection);
    });
    worker_->start();
}

void TEffectPreview::Finished(const TEffectResult& result)
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    host_.reset();
    if (!changed_) {
        emit Ready(result);
    } else if (!delay_->isActive()) {
        Start();  // the change came while this one was computed: its result is already old
    }
}

}  // namespace quillane
