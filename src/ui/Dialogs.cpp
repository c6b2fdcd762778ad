#include "ui/Dialogs.h"
#include "ui/WindowLanguage.h"

#include "ui/AppInfo.h"
#include "ui/FrmAbout.h"
#include "ui/FrmPath.h"
#include "ui/FrmRewrite.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace quillane {

namespace {

QMessageBox::Icon IconOf(TMessageStyle style)
{
    return style == TMessageStyle::msInformationOk ? QMessageBox::Information : QMessageBox::Question;
}

QMessageBox::StandardButtons ButtonsOf(TMessageStyle style)
{
    return style == TMessageStyle::msQuestionYesNo ? QMessageBox::Yes | QMessageBox::No
                                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
}

TMessageAnswer AnswerOf(int button, TMessageStyle style)
{
    if (style != TMessageStyle::msQuestionYesNo)
        return TMessageAnswer::maOk;
    return button == QMessageBox::Yes ? TMessageAnswer::maYes : TMessageAnswer::maNo;
}

}  // namespace

TModalDialogs::TModalDialogs(QWidget* mainWindow)
    : mainWindow_(mainWindow),
      frmRewrite_(new TfrmRewrite(mainWindow)),
      frmPath_(new TfrmPath(mainWindow)),
      frmAbout_(new TfrmAbout(mainWindow, [this](const QUrl& url) { OpenUrl(url); }))
{
}

TModalDialogs::~TModalDialogs()
{
    delete frmAbout_;
    delete frmPath_;
    delete frmRewrite_;
}

TMessageAnswer TModalDialogs::ShowMessage(const QString& text, TMessageStyle style)
{
    QMessageBox box(IconOf(style), kAppTitle, WindowText(text), ButtonsOf(style), mainWindow_);
    // A Yes/No box closed without an answer must not count as Yes.
    if (style == TMessageStyle::msQuestionYesNo)
        box.setEscapeButton(QMessageBox::No);
    return AnswerOf(ExecBox(box), style);
}

void TModalDialogs::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, kAppTitle, WindowText(text), QMessageBox::Ok, mainWindow_);
    ExecBox(box);
}

int TModalDialogs::ExecBox(QMessageBox& box)
{
    pendingBox_ = &box;
    const int button = box.exec();
    pendingBox_ = nullptr;
    return button;
}

TOverwriteAnswer TModalDialogs::AskOverwrite()
{
    return frmRewrite_->Ask();
}

QString TModalDialogs::ChooseFolder()
{
    frmPath_->exec();
    return frmPath_->ChosenPath();
}

void TModalDialogs::ShowAbout()
{
    frmAbout_->exec();
}

void TModalDialogs::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void TModalDialogs::AnswerPending()
{
    frmRewrite_->AnswerNo();
    if (pendingBox_)
        pendingBox_->done(pendingBox_->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok);
    if (frmPath_->isVisible())
        frmPath_->reject();
    if (frmAbout_->isVisible())
        frmAbout_->reject();
}

}  // namespace quillane
