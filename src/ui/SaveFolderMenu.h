#pragma once

#include <QObject>

class QLineEdit;
class QMenu;
class QToolButton;

namespace quillane {

class TPageServices;

// The menu behind a page's "..." output-folder button: "当前路径(&C)" puts the folder
// selected in the folder tree into the field, "选择目录(&B)" asks the folder chooser.
// Any mouse button pressed on the button pops the menu up at the pointer.
class TSaveFolderMenu : public QObject {
    Q_OBJECT

public:
    struct TNames {
        const char* Menu;
        const char* CurrentItem;
        const char* BrowseItem;
    };

    TSaveFolderMenu(QToolButton* button, QLineEdit* field, const TNames& names, TPageServices& services);

    QMenu* Menu() const { return menu_; }

    // The two items' behaviour.
    void CurrentDirClick();
    void BrowseClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* button_;
    QLineEdit* field_;
    QMenu* menu_;
    TPageServices& services_;
};

}  // namespace quillane
