// The main window and Quillane.ini: the size first while the window is built, the page
// fields once the preview mode is set, everything back when the window closes.
#include "ui/FrmMain.h"

#include "ui/ConvertPage.h"
#include "ui/CropPage.h"
#include "ui/Dialogs.h"
#include "ui/PercentPage.h"
#include "ui/PixelPage.h"
#include "ui/RenamePage.h"
#include "ui/WOrHPage.h"
#include "ui/WatermarkPage.h"
#include "ui/settings/SettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace quillane {

namespace {

TWindowSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(839, 669);
    return {size.width(), size.height()};
}

TWindowState StateOf(const QWidget& window)
{
    if (window.isMinimized())
        return TWindowState::wsMinimized;
    return window.isMaximized() ? TWindowState::wsMaximized : TWindowState::wsNormal;
}

}  // namespace

void TfrmMain::LoadWindowSize()
{
    if (!settings_)
        return;
    const TWindowSize size = settings_->LoadWindowSize({width(), height()}, ScreenSize());
    resize(size.width, size.height);
}

// Every page's fields as they stand; the file's values are read over them.
TSettings TfrmMain::StoredPageFields() const
{
    TSettings fields;
    fields.percent = TabSheet1->Stored();
    fields.pixel = TabSheet5->Stored();
    fields.wOrH = TabSheet6->Stored();
    fields.rename = TabSheet3->Stored();
    fields.crop = TabSheet4->Stored();
    fields.watermark = TabSheet7->Stored();
    fields.convert = TabSheet2->Stored();
    return fields;
}

// Each page takes the stored values in the order the file lists them; a radio or check
// box that changes runs its click behaviour, as a user's click would.
void TfrmMain::LoadPageFields()
{
    if (!settings_)
        return;
    TSettings fields = StoredPageFields();
    settings_->LoadPages(fields);
    // A page number out of range leaves the first page showing.
    if (fields.activePage >= 0)
        PageControl1->setCurrentIndex(fields.activePage);
    TabSheet1->Load(fields.percent);
    TabSheet5->Load(fields.pixel);
    TabSheet6->Load(fields.wOrH);
    TabSheet3->Load(fields.rename);
    TabSheet4->Load(fields.crop);
    TabSheet7->Load(fields.watermark);
    TabSheet2->Load(fields.convert);
}

void TfrmMain::SaveSettings()
{
    if (!settings_)
        return;
    // The per-user folder may not exist yet on a first close.
    std::error_code ignored;
    std::filesystem::create_directories(settings_->FileName().parent_path(), ignored);
    TSettings fields = StoredPageFields();
    fields.window = {width(), height()};
    fields.activePage = PageControl1->currentIndex();
    if (!settings_->Save(fields, StateOf(*this)) && dialogs_)
        dialogs_->ShowError(QString::fromStdString(settings_->Error()));
}

}  // namespace quillane
