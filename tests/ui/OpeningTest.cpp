// Opening things: a folder or pictures named on the command line or dropped on the
// window, and the two context-menu entries that open a folder in the file manager.
#include "PageTestWindow.h"

#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QDropEvent>
#include <QApplication>

#include <filesystem>

namespace quillane {

namespace {

QAction* ActionNamed(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Drops local files on the window as a file manager would; whether it was taken.
bool Drop(TfrmMain& window, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

}  // namespace

class OpeningTest : public QObject {
    Q_OBJECT

private:
    // A folder with two pictures and a sub-folder holding a third.
    struct TPictures {
        TTestFolder Root;
        TPictures()
        {
            WritePicture(Root.File("a.png"), SolidPicture(4, 4, Qt::red));
            WritePicture(Root.File("b.png"), SolidPicture(4, 4, Qt::green));
            std::filesystem::create_directory(Root.File("inner"));
            WritePicture(Root.File("inner") / "c.png", SolidPicture(4, 4, Qt::blue));
        }
        QString Path(const char* name) const { return Root.QPath() + "/" + name; }
    };

private slots:
    void aFolderOrPicturesShowTheirFolder()
    {
        const TPictures pictures;
        const struct {
            const char* Name;
            QStringList Paths;
            QString Folder;    // shown afterwards; empty: nothing opened
            QString Selected;  // the selected item
        } kCases[] = {
            {"a folder", {pictures.Root.QPath()}, pictures.Root.QPath(), pictures.Path("a.png")},
            {"a picture", {pictures.Path("b.png")}, pictures.Root.QPath(), pictures.Path("b.png")},
            {"pictures",
             {pictures.Path("inner/c.png"), pictures.Path("a.png")},
             pictures.Path("inner"),
             pictures.Path("inner/c.png")},
            {"nothing there", {pictures.Path("gone.png")}, {}, {}},
        };
        for (const auto& c : kCases) {
            for (const bool dropped : {false, true}) {
                TPageWindow page;
                page.Window.show();
                const QString before = page.Window.Browser()->title();
                const bool opened = dropped ? Drop(page.Window, c.Paths) : page.Window.OpenPaths(c.Paths);
                QVERIFY2(opened == !c.Folder.isEmpty(), c.Name);
                if (c.Folder.isEmpty()) {
                    QCOMPARE(page.Window.Browser()->title(), before);
                    continue;
                }
                QCOMPARE(page.Window.SelectedTreeFolder(), c.Folder);
                QCOMPARE(page.Window.Browser()->title(), QStringLiteral(" 源文件指定：") + c.Folder + " ");
                const auto selected = page.Window.Browser()->List()->SelectedItem();
                QVERIFY2(selected, c.Name);
                QCOMPARE(QString::fromStdString(selected->Path.string()), c.Selected);
            }
        }
    }

    void nothingIsOpenedDuringARun()
    {
        const TPictures pictures;
        TPageWindow page;
        ShowFolder(page.Window, pictures.Root.File("inner"));
        page.Get<QLineEdit>("lbEdtRWidth")->setText("50");
        page.Get<QLineEdit>("lbEdtSavePath")->setText(pictures.Root.QPath());
        bool refused = false;
        page.Dialogs.OnOverwritePrompt = [&] { refused = !page.Window.OpenPaths({pictures.Root.QPath()}); };
        WritePicture(pictures.Root.File("c_s.png"), SolidPicture(2, 2, Qt::black));  // asks before replacing
        QVERIFY(page.Run("BtnPercent"));
        QVERIFY(refused);
        QCOMPARE(page.Window.SelectedTreeFolder(), pictures.Path("inner"));
    }

    void theFileListShowsAnItemsFolderInTheFileManager()
    {
        const TPictures pictures;
        TPageWindow page;
        ShowFolder(page.Window, pictures.Root.Path());
        TShellListView* list = page.Window.Browser()->List();
        const auto menu = list->ContextMenuFor(list->model()->index(1, 0));  // b.png
        QAction* show = ActionNamed(*menu, QStringLiteral("在文件管理器中显示"));
        QVERIFY(show);
        show->trigger();
        QCOMPARE(page.Dialogs.OpenedUrls, std::vector<QUrl>({QUrl::fromLocalFile(pictures.Root.QPath())}));
    }

    void theResultsBoxOpensThePagesOutputFolder()
    {
        TTestFolder out;
        TPageWindow page;
        const struct {
            int Page;
            const char* Field;  // none: the page has no output folder
        } kCases[] = {{0, "lbEdtSavePath"},  {1, "EdtSavePixel"}, {2, "EdtWOrHPath"},     {3, nullptr},
                      {4, "lbEdtSavePath2"}, {5, "EdtCutSave"},   {6, "EdtWatermarkSave"}};
        for (const auto& c : kCases) {
            if (c.Field)
                page.Get<QLineEdit>(c.Field)->setText(out.QPath() + "/" + QString::number(c.Page));
            page.Dialogs.OpenedUrls.clear();
            const auto menu = page.Window.Page(static_cast<TJobPage>(c.Page))->ResultsMenu();
            QAction* open = ActionNamed(*menu, QStringLiteral("打开输出文件夹"));
            QVERIFY(open);
            QCOMPARE(open->isEnabled(), c.Field != nullptr);
            open->trigger();
            if (c.Field)
                QCOMPARE(page.Dialogs.OpenedUrls,
                         std::vector<QUrl>({QUrl::fromLocalFile(out.QPath() + "/" + QString::number(c.Page))}));
        }
    }
};

QUILLANE_UI_TEST(OpeningTest);

}  // namespace quillane

#include "OpeningTest.moc"
