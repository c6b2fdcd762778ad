// The file list: the engine's filter and order, its rebuilds, and the file-view keys.
#include "UiTestSupport.h"

#include "jobs/SourceList.h"
#include "jobs/TypeFilter.h"
#include "ui/FrmMain.h"
#include "ui/ShellListView.h"
#include "ui/ShellTreeView.h"
#include "ui/SourceBrowser.h"
#include "ui/SourceListModel.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include <filesystem>

namespace quillane {

namespace fs = std::filesystem;

class SourceListTest : public QObject {
    Q_OBJECT

private:
    // a.JPG, b.jpeg, c.tiff, d.txt and a sub-folder.
    static void MakeMixedFolder(const TTestFolder& folder)
    {
        for (const char* name : {"a.JPG", "b.jpeg", "c.tiff", "d.txt"})
            WriteBytes(folder.File(name), "x");
        fs::create_directory(folder.File("sub"));
    }

    static QListWidgetItem* TypeEntry(TfrmMain& window, int row)
    {
        return window.findChild<QListWidget*>(QStringLiteral("ClbType"))->item(row);
    }

private slots:
    void picturesOnlyThenSubFoldersOnTick()
    {
        TTestFolder folder;
        MakeMixedFolder(folder);
        fs::create_directory(folder.File("packed.zip"));
        fs::create_directory(folder.File("cabinet.CAB"));
        TfrmMain window;
        ShowFolder(window, folder.Path());
        QCOMPARE(ListedNames(window), QStringList({"a.JPG", "b.jpeg", "c.tiff"}));

        QTest::mouseClick(window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder")), Qt::LeftButton);
        QCOMPARE(ListedNames(window), QStringList({"sub", "a.JPG", "b.jpeg", "c.tiff"}));
        QCOMPARE(window.Browser()->SourceItems().front().IsFolder, true);
    }

    void untickingTypesFiltersAtOnce()
    {
        TTestFolder folder;
        MakeMixedFolder(folder);
        WriteBytes(folder.File("e.png"), "x");
        WriteBytes(folder.File("JPEG"), "x");  // no extension, but its last four letters match
        TfrmMain window;
        ShowFolder(window, folder.Path());
        QCOMPARE(ListedNames(window), QStringList({"a.JPG", "b.jpeg", "c.tiff", "e.png", "JPEG"}));

        TypeEntry(window, 1)->setCheckState(Qt::Unchecked);  // PNG
        QCOMPARE(ListedNames(window), QStringList({"a.JPG", "b.jpeg", "c.tiff", "JPEG"}));
        for (int row = 0; row < 5; ++row)
            TypeEntry(window, row)->setCheckState(Qt::Unchecked);
        QCOMPARE(ListedNames(window), QStringList());
        window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder"))->click();
        QCOMPARE(ListedNames(window), QStringList({"sub"}));
    }

    void sameItemsInTheEnginesOrder()
    {
        TTestFolder folder;
        for (const char* name : {"img10.png", "img2.png", "Img3.png", "b.gif", "A.bmp"})
            WriteBytes(folder.File(name), "x");
        fs::create_directory(folder.File("zeta"));
        TfrmMain window;
        ShowFolder(window, folder.Path());
        window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder"))->click();
        QCOMPARE(ListedNames(window), QStringList({"zeta", "A.bmp", "b.gif", "img2.png", "Img3.png", "img10.png"}));
        const std::vector<TSourceItem> engine = ListSourceItems(folder.Path(), true, TypeCaptions());
        const std::vector<TSourceItem> listed = window.Browser()->SourceItems();
        QCOMPARE(listed.size(), engine.size());
        for (size_t index = 0; index < engine.size(); ++index) {
            QCOMPARE(listed[index].Path, engine[index].Path);
            QCOMPARE(listed[index].IsFolder, engine[index].IsFolder);
        }
        QCOMPARE(window.Browser()->SourceRoot(), folder.Path());
    }

    void nameNotValidUtf8KeepsItsBytes()
    {
        TTestFolder folder;
        const std::string oddName = "pic\xff\xfe.jpg";
        WriteBytes(folder.File(oddName), "x");
        WriteBytes(folder.File("plain.jpg"), "x");
        TfrmMain window;
        ShowFolder(window, folder.Path());
        const std::vector<TSourceItem> items = window.Browser()->SourceItems();
        QCOMPARE(items.size(), size_t(2));
        // Whatever the name looks like on screen, the job gets the very bytes on disk.
        const bool oddListed = items[0].Path == folder.File(oddName) || items[1].Path == folder.File(oddName);
        QVERIFY(oddListed);
    }

    void followsTheDiskAndKeepsThePosition()
    {
        TTestFolder folder;
        MakeMixedFolder(folder);
        TfrmMain window;
        ShowFolder(window, folder.Path());
        TShellListView* list = window.Browser()->List();
        list->setCurrentIndex(list->model()->index(1, 0));

        WritePicture(folder.File("0first.png"), SolidPicture(4, 4, Qt::red));
        QVERIFY(WaitUntil([&] { return ListedNames(window).size() == 4; }));
        QCOMPARE(ListedNames(window).front(), QStringLiteral("0first.png"));
        QCOMPARE(list->currentIndex().row(), 1);

        fs::remove(folder.File("0first.png"));
        fs::remove(folder.File("b.jpeg"));
        fs::remove(folder.File("c.tiff"));
        QVERIFY(WaitUntil([&] { return ListedNames(window).size() == 1; }));
        QCOMPARE(list->currentIndex().row(), -1);  // the list is shorter than the old position
    }

    void renameInPlaceNeverReplaces()
    {
        TTestFolder folder;
        WriteBytes(folder.File("a.jpg"), "first");
        WriteBytes(folder.File("b.jpg"), "second");
        TfrmMain window;
        TFakeDialogs dialogs;
        window.SetDialogs(&dialogs);
        ShowFolder(window, folder.Path());
        TSourceListModel& model = window.Browser()->List()->Model();

        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("b.jpg"), Qt::EditRole));
        QCOMPARE(dialogs.Messages.size(), size_t(1));
        QVERIFY(fs::exists(folder.File("a.jpg")));
        QCOMPARE(fs::file_size(folder.File("b.jpg")), uintmax_t(6));

        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("../escape.jpg"), Qt::EditRole));
        QVERIFY(!fs::exists(folder.Path().parent_path() / "escape.jpg"));

        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("c.jpg"), Qt::EditRole));
        QVERIFY(!fs::exists(folder.File("a.jpg")));
        QCOMPARE(fs::file_size(folder.File("c.jpg")), uintmax_t(5));
        QVERIFY(WaitUntil([&] { return ListedNames(window) == QStringList({"b.jpg", "c.jpg"}); }));
        window.SetDialogs(nullptr);
    }

    void keysOpenFoldersAndFilesAndGoUp()
    {
        TTestFolder folder;
        MakeMixedFolder(folder);
        WriteBytes(folder.File("sub/inner.png"), "x");
        TfrmMain window;
        TFakeDialogs dialogs;
        window.SetDialogs(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ShowFolder(window, folder.Path());
        window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder"))->click();
        TShellListView* list = window.Browser()->List();
        auto* tree = window.findChild<TShellTreeView*>(QStringLiteral("ShellTreeView1"));

        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));  // "sub"
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(ListedNames(window), QStringList({"inner.png"}));
        QCOMPARE(tree->SelectedPath(), folder.QPath() + "/sub");

        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(dialogs.OpenedUrls.size(), size_t(1));
        QCOMPARE(dialogs.OpenedUrls[0].toLocalFile(), folder.QPath() + "/sub/inner.png");

        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(ListedNames(window), QStringList({"sub", "a.JPG", "b.jpeg", "c.tiff"}));
        QCOMPARE(tree->SelectedPath(), folder.QPath());

        WriteBytes(folder.File("new.gif"), "x");
        QTest::keyClick(list, Qt::Key_F5);  // at once, without waiting for the disk watch
        QCOMPARE(ListedNames(window).size(), 5);

        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(dialogs.Messages.size(), size_t(1));
        QVERIFY(dialogs.Messages[0].Text.startsWith(QStringLiteral("名称：a.JPG\n位置：") + folder.QPath()));
        QCOMPARE(dialogs.OpenedUrls.size(), size_t(1));  // properties, not opened
        window.SetDialogs(nullptr);
    }
};

QUILLANE_UI_TEST(SourceListTest);

}  // namespace quillane

#include "SourceListTest.moc"
