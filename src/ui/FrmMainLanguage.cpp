// The main window's language: from Quillane.ini's [Form] Language when it holds one,
// else from the locale; switched from the help menu at once, without a restart.
#include "ui/FrmMain.h"

#include "ui/EffectPreview.h"
#include "ui/OperationPage.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"
#include "ui/WindowHost.h"
#include "ui/WindowLanguage.h"
#include "ui/settings/SettingsStore.h"

namespace quillane {

TLanguage TfrmMain::StartLanguage() const
{
    if (settings_) {
        if (const std::optional<TLanguage> stored = LanguageFromCode(settings_->LoadLanguage()))
            return *stored;
    }
    return LanguageFromEnvironment();
}

TLanguage TfrmMain::Language() const
{
    return language_->Current();
}

void TfrmMain::ApplyLanguage(TLanguage language)
{
    language_->Apply(language, this);
    host_->SetLanguage(language);
    // Texts the window composes: the caption with its folder, the list's headings.
    GroupBox1->UpdateCaption();
    if (QAbstractItemModel* list = GroupBox1->List()->model()) {
        emit list->headerDataChanged(Qt::Horizontal, 0, list->columnCount() - 1);
        if (list->rowCount() > 0)
            emit list->dataChanged(list->index(0, 0), list->index(list->rowCount() - 1, list->columnCount() - 1));
    }
    for (TOperationPage* page : pages_)
        page->Retranslate();
    // The effect preview's picture or its reason, computed again in the new language.
    if (GroupBox1->EffectMode())
        effect_->Schedule();
    for (QAction* choice : findChildren<QAction*>()) {
        if (choice->objectName() == QStringLiteral("mnuChinese"))
            choice->setChecked(language == TLanguage::lgChinese);
        if (choice->objectName() == QStringLiteral("mnuEnglish"))
            choice->setChecked(language == TLanguage::lgEnglish);
    }
}

void TfrmMain::ChooseLanguage(TLanguage language)
{
    ApplyLanguage(language);
    if (settings_)
        settings_->SaveLanguage(LanguageCode(language));
}

}  // namespace quillane
