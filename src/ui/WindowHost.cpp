#include "ui/WindowHost.h"

#include "jobs/ReasonTexts.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/OperationPage.h"
#include "ui/ResultReasons.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QThread>

namespace quillane {

namespace {

QString FromEngine(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TWindowHost::TWindowHost(TfrmMain& window)
    : QObject(&window), window_(window), texts_(std::make_unique<THostTexts>(TLanguage::lgChinese))
{
}

void TWindowHost::SetLanguage(TLanguage language)
{
    texts_ = std::make_unique<THostTexts>(language);
}

template <typename TCall>
auto TWindowHost::OnGui(TCall call) -> decltype(call())
{
    using TResult = decltype(call());
    if (QThread::currentThread() == thread()) {
        return call();
    } else if constexpr (std::is_void_v<TResult>) {
        QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
    } else {
        TResult result{};
        QMetaObject::invokeMethod(
            this, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

TOutputSettings TWindowHost::OutputSettings()
{
    return OnGui([this] { return output_; });
}

TMessageAnswer TWindowHost::ShowMessage(const std::string& text, TMessageStyle style)
{
    return OnGui([this, &text, style] {
        TDialogs* dialogs = window_.Dialogs();
        if (closing_ || dialogs == nullptr)
            return style == TMessageStyle::msQuestionYesNo ? TMessageAnswer::maNo : TMessageAnswer::maOk;
        return dialogs->ShowMessage(FromEngine(texts_->Message(text)), style);
    });
}

void TWindowHost::ShowError(const std::string& text)
{
    OnGui([this, &text] {
        if (!closing_ && window_.Dialogs() != nullptr)
            window_.Dialogs()->ShowError(FromEngine(texts_->Message(text)));
    });
}

TOverwriteAnswer TWindowHost::ShowOverwritePrompt(const std::filesystem::path&)
{
    return OnGui([this] {
        // Nobody is left to answer: keep the existing file.
        if (closing_ || window_.Dialogs() == nullptr)
            return TOverwriteAnswer{false, false};
        return window_.Dialogs()->AskOverwrite();
    });
}

void TWindowHost::ClearResults(TJobPage page)
{
    OnGui([this, page] {
        window_.Page(page)->ResultsBox()->clear();
        window_.Page(page)->ResultReasons()->Clear();
    });
}

void TWindowHost::ShowResults(TJobPage page)
{
    OnGui([this, page] { window_.Page(page)->ResultsBox()->show(); });
}

void TWindowHost::AppendResult(TJobPage page, const std::string& line)
{
    OnGui([this, page, &line] {
        QPlainTextEdit* box = window_.Page(page)->ResultsBox();
        // An empty box holds one empty block, which the first line takes over.
        const int firstBlock = box->document()->isEmpty() ? 0 : box->document()->blockCount();
        box->appendPlainText(FromEngine(texts_->StopLine(texts_->ResultLine(line))));
        window_.Page(page)->ResultReasons()->NoteAppendedLine(firstBlock);
    });
}

void TWindowHost::ReportFailure(TJobPage page, const std::filesystem::path&, const TFailure& failure)
{
    OnGui([this, page, &failure] {
        window_.Page(page)->ResultReasons()->SetReasonOfLastLine(FromEngine(texts_->Failure(failure)));
    });
}

void TWindowHost::SetFieldText(const std::string& field, const std::string& text)
{
    OnGui([this, &field, &text] {
        if (auto* edit = window_.findChild<QLineEdit*>(FromEngine(field)))
            edit->setText(FromEngine(text));
    });
}

void TWindowHost::FocusField(const std::string& field)
{
    OnGui([this, &field] {
        if (auto* widget = window_.findChild<QWidget*>(FromEngine(field)))
            widget->setFocus(Qt::OtherFocusReason);
    });
}

void TWindowHost::SetBusyCursor(bool busy)
{
    OnGui([this, busy] {
        if (busy) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            ++busyDepth_;
        } else if (busyDepth_ > 0) {
            QApplication::restoreOverrideCursor();
            --busyDepth_;
        }
    });
}

void TWindowHost::SetTypeListEnabled(bool enabled)
{
    OnGui([this, enabled] { window_.Browser()->TypeList()->setEnabled(enabled); });
}

void TWindowHost::RefreshSourceList()
{
    OnGui([this] { window_.Browser()->List()->Rebuild(); });
}

void TWindowHost::ReportProgress(const TProgress& progress)
{
    OnGui([this, &progress] { window_.ShowRunProgress(progress); });
}

}  // namespace quillane
