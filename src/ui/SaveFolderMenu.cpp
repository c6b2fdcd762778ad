#include "ui/SaveFolderMenu.h"

#include "ui/Dialogs.h"
#include "ui/PageServices.h"
#include "ui/WindowTr.h"

#include <QCursor>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

namespace quillane {

TSaveFolderMenu::TSaveFolderMenu(QToolButton* button, QLineEdit* field, const TNames& names, TPageServices& services)
    : QObject(button), button_(button), field_(field), menu_(new QMenu(button)), services_(services)
{
    menu_->setObjectName(QString::fromUtf8(names.Menu));
    QAction* current = menu_->addAction(Window::tr("当前路径(&C)"), this, &TSaveFolderMenu::CurrentDirClick);
    current->setObjectName(QString::fromUtf8(names.CurrentItem));
    QAction* browse = menu_->addAction(Window::tr("选择目录(&B)"), this, &TSaveFolderMenu::BrowseClick);
    browse->setObjectName(QString::fromUtf8(names.BrowseItem));
    button_->installEventFilter(this);
}

bool TSaveFolderMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == button_ && event->type() == QEvent::MouseButtonPress && button_->isEnabled()) {
        menu_->popup(QCursor::pos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TSaveFolderMenu::CurrentDirClick()
{
    field_->clear();
    const QString folder = services_.SelectedTreeFolder();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        field_->setText(folder);
}

void TSaveFolderMenu::BrowseClick()
{
    TDialogs* dialogs = services_.PageDialogs();
    if (dialogs == nullptr)
        return;
    const QString folder = dialogs->ChooseFolder();
    if (!folder.isEmpty())
        field_->setText(folder);
}

}  // namespace quillane
