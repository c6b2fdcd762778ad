#include "ui/LanguageMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "ui/WindowLanguage.h"

namespace quillane {

void AddLanguageMenu(QMenu* menu, TLanguage current, const std::function<void(TLanguage)>& chosen)
{
    QMenu* languages = menu->addMenu(QStringLiteral("语言 / Language"));
    languages->setObjectName(QStringLiteral("mnuLanguage"));
    languages->setProperty(kKeepText, true);
    languages->menuAction()->setProperty(kKeepText, true);
    auto* group = new QActionGroup(languages);
    const struct {
        TLanguage language;
        const char* name;
        QString caption;
    } choices[] = {
        {TLanguage::lgChinese, "mnuChinese", QStringLiteral("中文")},
        {TLanguage::lgEnglish, "mnuEnglish", QStringLiteral("English")},
    };
    for (const auto& choice : choices) {
        QAction* action = languages->addAction(choice.caption);
        action->setObjectName(QString::fromLatin1(choice.name));
        action->setProperty(kKeepText, true);
        action->setCheckable(true);
        action->setChecked(choice.language == current);
        action->setActionGroup(group);
        const TLanguage language = choice.language;
        QObject::connect(action, &QAction::triggered, languages, [chosen, language] { chosen(language); });
    }
}

}  // namespace quillane
