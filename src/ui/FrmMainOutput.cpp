// The main window's output settings: read from Quillane.ini at start, changed through
// "输出设置…", written back to the file as soon as the dialog is confirmed.
#include "ui/FrmMain.h"

#include "ui/Dialogs.h"
#include "ui/OutputSettingsDialog.h"
#include "ui/WindowHost.h"
#include "ui/settings/SettingsStore.h"

namespace quillane {

void TfrmMain::LoadOutputSettings()
{
    if (settings_)
        host_->SetOutputSettings(settings_->LoadOutput());
}

void TfrmMain::mnuOutputClick()
{
    TOutputSettingsDialog dialog(host_->OutputSettings(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    host_->SetOutputSettings(dialog.Settings());
    if (settings_ && !settings_->SaveOutput(dialog.Settings()) && dialogs_)
        dialogs_->ShowError(QString::fromStdString(settings_->Error()));
}

}  // namespace quillane
