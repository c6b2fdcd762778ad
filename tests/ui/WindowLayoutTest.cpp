// The window holds still and shows what it holds: the watermark page's text/picture
// switch moves nothing outside its group, no text or tick is cut off, a results line
// keeps its outcome in sight, the caption follows the tree, digit fields take the
// editing shortcuts.
#include "PageTestWindow.h"

#include "ui/FrmAbout.h"
#include "ui/ResultReasons.h"
#include "ui/ResultsBox.h"
#include "ui/ShellTreeView.h"
#include "ui/SourceBrowser.h"

#include <QApplication>
#include <QClipboard>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <filesystem>

namespace quillane {

namespace {

// Where every visible widget outside `group` sits in the window.
QMap<QWidget*, QRect> PlacesOutside(QWidget& window, const QWidget* group)
{
    QMap<QWidget*, QRect> places;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisible() && widget != group && !group->isAncestorOf(widget))
            places.insert(widget, QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()));
    }
    return places;
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void theWatermarkSwitchMovesNothingOutsideItsGroup()
    {
        TPageWindow page;
        page.Window.show();
        auto* tabs = page.Get<QTabWidget>("PageControl1");
        const int pagesHeight = tabs->height();
        tabs->setCurrentIndex(6);
        QApplication::processEvents();
        const QWidget* group = page.Get<QWidget>("PnlMark");
        const QMap<QWidget*, QRect> before = PlacesOutside(page.Window, group);
        QVERIFY(before.contains(page.Get<QWidget>("BtnWatermark")));
        for (const char* choice : {"RbImgWatermark", "RbText", "RbImgWatermark"}) {
            page.Get<QRadioButton>(choice)->click();
            QApplication::processEvents();
            QCOMPARE(PlacesOutside(page.Window, group), before);
        }
        tabs->setCurrentIndex(0);
        QApplication::processEvents();
        QCOMPARE(tabs->height(), pagesHeight);
    }

    void noTextOrTickIsCutOff()
    {
        QWidget owner;
        TfrmAbout about(&owner, {});
        about.show();
        auto* line = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(line->text().endsWith(QStringLiteral("support@quillane.example")));
        QVERIFY(line->width() >= line->fontMetrics().horizontalAdvance(line->text()));
        QVERIFY(about.rect().contains(QRect(line->mapTo(&about, QPoint(0, 0)), line->size())));

        TPageWindow page;
        page.Window.show();
        auto* types = page.Get<QListWidget>("ClbType");
        for (const int count : {5, 9}) {  // the five types, and as many as there may be
            while (types->count() < count)
                types->addItem(QStringLiteral("NEW (*.NEW)"));
            QApplication::processEvents();
            for (int row = 0; row < types->count(); ++row)
                QVERIFY(types->viewport()->rect().contains(types->visualItemRect(types->item(row))));
        }
    }

    void aLongResultLineLosesTheMiddleOfItsPathNeverItsOutcome()
    {
        const QFontMetrics metrics(QApplication::font());
        const QString done = QStringLiteral("创建缩略图成功！");
        const QString deep = "/home/user/photos/2024/holiday/by the sea/day three/beach.jpg" + done;
        const QString stopped = QStringLiteral("已停止：已处理 12 个文件，列表中还有 30 项未处理。");
        const struct {
            QString Line;
            int Width;
            QString Start, End;  // what the shortened line must begin and end with
        } kCases[] = {
            {deep, 300, "/home", "/beach.jpg" + done},
            {deep, 90, "…", done.right(4)},  // no room for the name: the outcome still shows
            {"/p/" + QString(60, QLatin1Char('n')) + ".jpg" + done, 250, "…", done},
            {stopped, 200, "…", "项未处理。"},
        };
        for (const auto& c : kCases) {
            const QString shown = ElideResultLine(c.Line, metrics, c.Width);
            QVERIFY2(metrics.horizontalAdvance(shown) <= c.Width && shown.startsWith(c.Start) &&
                         shown.endsWith(c.End) && shown.contains(QStringLiteral("…")),
                     qPrintable(shown));
            QCOMPARE(ElideResultLine(c.Line, metrics, metrics.horizontalAdvance(c.Line)), c.Line);
        }

        // In a box: the whole line, and a failed file's reason, in the tooltip.
        TTestFolder source;
        const std::filesystem::path folder = source.Path() / "a rather long folder name" / "and one more below it";
        std::filesystem::create_directories(folder);
        WritePicture(folder / "good.png", SolidPicture(8, 8, Qt::red));
        WriteBytes(folder / "bad.png", "not a picture");
        TPageWindow page;
        ShowFolder(page.Window, folder);
        page.Window.show();
        page.Get<QLineEdit>("lbEdtRWidth")->setText("50");
        page.Get<QLineEdit>("lbEdtSavePath")->setText(source.QPath());
        QVERIFY(page.Run("BtnPercent"));
        auto* box = page.Get<TResultsBox>("Memo1");
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            QVERIFY(box->ShownText(block).endsWith(block.text().mid(block.text().lastIndexOf('/'))));
            QVERIFY(box->ShownText(block) != block.text());
            const QString tip = page.Window.Page(TJobPage::jpPercent)
                                    ->ResultReasons()
                                    ->ToolTipAt(box->cursorRect(QTextCursor(block)).center());
            QCOMPARE(tip, block.text().contains("bad.png") ? block.text() + QStringLiteral("\n不是支持的图片格式")
                                                           : block.text());
        }
    }

    void theCaptionFollowsTheTreeByKeyboard()
    {
        TTestFolder root;
        std::filesystem::create_directory(root.File("first"));
        std::filesystem::create_directory(root.File("first") / "inner");
        WritePicture(root.File("first") / "inner" / "a.png", SolidPicture(4, 4, Qt::red));
        TPageWindow page;
        page.Window.show();
        ShowFolder(page.Window, root.Path());
        auto* tree = page.Get<TShellTreeView>("ShellTreeView1");
        auto* browser = page.Window.Browser();
        tree->setFocus();
        const auto captionNames = [&](const std::filesystem::path& folder) {
            return browser->title() == QStringLiteral(" 源文件指定：") + QString::fromStdString(folder.string()) + " ";
        };
        // A folder the program selects (as when a folder is opened in the file list) leaves it.
        QVERIFY(!captionNames(root.Path()));
        // Right opens the selected folder once the tree has read it; Down then selects
        // its first sub-folder.
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        const auto openAndGoDown = [&](const std::filesystem::path& folder) {
            const QString path = QString::fromStdString(folder.string());
            const bool opened = WaitUntil([&] {
                const QModelIndex index = model->index(path);  // rows move as the tree sorts itself
                if (!tree->isExpanded(index))
                    QTest::keyClick(tree, Qt::Key_Right);
                return tree->isExpanded(index) && model->rowCount(index) > 0;
            });
            // The view lays its new rows out a moment later.
            return opened && WaitUntil([&] {
                       if (tree->SelectedPath() == path)
                           QTest::keyClick(tree, Qt::Key_Down);
                       return tree->SelectedPath() != path;
                   });
        };
        QVERIFY(openAndGoDown(root.Path()));
        QCOMPARE(tree->SelectedPath(), QString::fromStdString(root.File("first").string()));
        QVERIFY(captionNames(root.File("first")));
        QVERIFY(openAndGoDown(root.File("first")));
        QCOMPARE(tree->SelectedPath(), QString::fromStdString((root.File("first") / "inner").string()));
        QVERIFY(captionNames(root.File("first") / "inner"));
        QCOMPARE(ListedNames(page.Window), QStringList({"a.png"}));
    }

    void digitFieldsTakeTheEditingShortcuts()
    {
        TTestFolder source;
        WritePicture(source.File("a.png"), SolidPicture(4, 4, Qt::red));
        TPageWindow page;
        ShowFolder(page.Window, source.Path());
        auto* field = page.Get<QLineEdit>("lbEdtRWidth");
        QApplication::clipboard()->clear();
        const struct {
            QString Typed;  // a letter, or a Ctrl+ shortcut
            QString Field, Clipboard;
        } kCases[] = {{"4a2", "42", ""}, {"^A^C", "42", "42"}, {"^A^X", "", "42"}, {"^V", "42", "42"}};
        for (const auto& c : kCases) {
            for (qsizetype at = 0; at < c.Typed.size(); ++at) {
                if (c.Typed[at] == '^')
                    QTest::keyClick(field, c.Typed[++at].toLatin1(), Qt::ControlModifier);
                else
                    QTest::keyClick(field, c.Typed[at].toLatin1());
            }
            QCOMPARE(field->text(), c.Field);
            QCOMPARE(QApplication::clipboard()->text(), c.Clipboard);
        }
        // Pasted text is not filtered; the start button's check reports it.
        QApplication::clipboard()->setText(QStringLiteral("1a"));
        QTest::keyClick(field, 'A', Qt::ControlModifier);
        QTest::keyClick(field, 'V', Qt::ControlModifier);
        page.Get<QLineEdit>("lbEdtSavePath")->setText(source.QPath());
        QVERIFY(!page.Run("BtnPercent"));
        QCOMPARE(page.Dialogs.Errors, std::vector<QString>({"'1a' is not a valid integer value"}));
    }
};

QUILLANE_UI_TEST(WindowLayoutTest);

}  // namespace quillane

#include "WindowLayoutTest.moc"
