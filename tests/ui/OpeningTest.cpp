// Opening things: a folder or pictures named on the command line or dropped on the
// window, and the two context-menu entries that open a folder in the file manager.
#include "PageCases.h"

#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include <filesystem>

namespace quillane {

namespace {

// Drops local files on the window as a file manager would; whether it took them.
bool Drop(TfrmMain& window, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(window.rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    return enter.isAccepted() && (QApplication::sendEvent(&window, &drop), drop.isAccepted());
}

// Triggers the menu's entry of that text; false when it has none or it is disabled.
bool Choose(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text && action->isEnabled())
            return action->trigger(), true;
    return false;
}

}  // namespace

class OpeningTest : public QObject {
    Q_OBJECT

private slots:
    void aFolderOrPicturesShowTheirFolderLikeAChoiceInTheTree()
    {
        TFolderWindow pictures(2);  // p0.png, p1.png and a sub-folder with p.png
        const QString root = pictures.Source.QPath();
        std::filesystem::create_directory(pictures.Source.File("inner"));
        WritePicture(pictures.Source.File("inner") / "p.png", SolidPicture(4, 4, Qt::blue));
        const struct {
            QStringList Paths;
            QString Folder;    // shown afterwards; empty: nothing opened
            QString Selected;  // the selected item
        } kCases[] = {
            {{root}, root, root + "/p0.png"},
            {{root + "/p1.png"}, root, root + "/p1.png"},
            {{root + "/inner/p.png", root + "/p0.png"}, root + "/inner", root + "/inner/p.png"},
            {{root + "/gone.png"}, {}, {}},
        };
        for (const auto& c : kCases) {
            for (const bool dropped : {false, true}) {
                TPageWindow page;
                const QString before = page.Window.Browser()->title();
                QCOMPARE(dropped ? Drop(page.Window, c.Paths) : page.Window.OpenPaths(c.Paths), !c.Folder.isEmpty());
                if (c.Folder.isEmpty()) {
                    QCOMPARE(page.Window.Browser()->title(), before);
                    continue;
                }
                QCOMPARE(page.Window.SelectedTreeFolder(), c.Folder);
                QCOMPARE(page.Window.Browser()->title(), QStringLiteral(" 源文件指定：") + c.Folder + " ");
                const auto selected = page.Window.Browser()->List()->SelectedItem();
                QCOMPARE(QString::fromStdString(selected.value_or(TSourceItem{}).Path.string()), c.Selected);
            }
        }
    }

    void theContextMenusOpenFoldersInTheFileManager()
    {
        TFolderWindow window(2);
        TShellListView* list = window.Window.Browser()->List();
        QVERIFY(Choose(*list->ContextMenuFor(list->model()->index(1, 0)), QStringLiteral("在文件管理器中显示")));
        std::vector<QUrl> expected{QUrl::fromLocalFile(window.Source.QPath())};
        for (const TPageCase& page : PageCases()) {
            ShowFilledPage(window, page);
            const bool opened =
                Choose(*window.Window.Page(TJobPage(page.Tab))->ResultsMenu(), QStringLiteral("打开输出文件夹"));
            QCOMPARE(opened, page.SaveField != nullptr);  // renaming has no output folder
            if (opened)
                expected.push_back(QUrl::fromLocalFile(window.Out.QPath()));
        }
        QCOMPARE(window.Dialogs.OpenedUrls, expected);
    }
};

QUILLANE_UI_TEST(OpeningTest);

}  // namespace quillane

#include "OpeningTest.moc"
