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

    void theAboutBoxShowsTheWholeSupportLine()
    {
        QWidget owner;
        TfrmAbout about(&owner, {});
        about.show();
        auto* line = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(line->text().endsWith(QStringLiteral("support@quillane.example")));
        QVERIFY2(line->width() >= line->fontMetrics().horizontalAdvance(line->text()),
                 qPrintable(QString::number(line->width())));
        QVERIFY(about.rect().contains(QRect(line->mapTo(&about, QPoint(0, 0)), line->size())));
        QVERIFY(about.width() >= 259);
    }

    void theTypeListShowsEveryTickHoweverManyTypes()
    {
        TPageWindow page;
        page.Window.show();
        auto* types = page.Get<QListWidget>("ClbType");
        for (const int count : {5, 9}) {
            while (types->count() < count)
                types->addItem(QStringLiteral("NEW (*.NEW)"));
            QApplication::processEvents();
            for (int row = 0; row < types->count(); ++row) {
                const QRect entry = types->visualItemRect(types->item(row));
                QVERIFY2(types->viewport()->rect().contains(entry),
                         qPrintable(QStringLiteral("%1 of %2").arg(row).arg(count)));
            }
        }
    }

    void aLongResultLineLosesTheMiddleOfItsPathNeverItsOutcome()
    {
        const QFontMetrics metrics(QApplication::font());
        const QString outcome = QStringLiteral("创建缩略图成功！");
        const QString deep = QStringLiteral("/home/user/photos/2024/holiday/by the sea/day three/");
        const QString deepLine = deep + "beach.jpg" + outcome;
        const QString longName = "/p/" + QString(60, QLatin1Char('n')) + ".jpg" + outcome;
        const QString stopped = QStringLiteral("已停止：已处理 12 个文件，列表中还有 30 项未处理。");
        const struct {
            const char* Name;
            QString Line;
            int Width;
            QString Kept;  // what the shortened line must end with
        } kCases[] = {
            {"a deep folder", deepLine, 300, "/beach.jpg" + outcome},
            {"a deep folder, narrow", deepLine, 200, "/beach.jpg" + outcome},
            {"a deep folder, very narrow", deepLine, 90, outcome.right(4)},
            {"a long name", longName, 250, outcome},
            {"no path", stopped, 200, "项未处理。"},
        };
        for (const auto& c : kCases) {
            const QString shown = ElideResultLine(c.Line, metrics, c.Width);
            QVERIFY2(metrics.horizontalAdvance(shown) <= c.Width, c.Name);
            QVERIFY2(shown.endsWith(c.Kept), qPrintable(QString::fromUtf8(c.Name) + ": " + shown));
            QVERIFY2(shown != c.Line, c.Name);
            QCOMPARE(ElideResultLine(c.Line, metrics, metrics.horizontalAdvance(c.Line)), c.Line);
        }
        QVERIFY(ElideResultLine(kCases[0].Line, metrics, 300).startsWith(QStringLiteral("/home")));
    }

    void aShortenedResultLineShowsItselfWholeInItsTooltip()
    {
        TTestFolder source;
        TTestFolder out;
        const std::filesystem::path deep = source.Path() / "a rather long folder name" / "and another one below";
        std::filesystem::create_directories(deep);
        WritePicture(deep / "good.png", SolidPicture(8, 8, Qt::red));
        WriteBytes(deep / "bad.png", "not a picture");
        TPageWindow page;
        ShowFolder(page.Window, deep);
        page.Window.show();
        page.Get<QLineEdit>("lbEdtRWidth")->setText("50");
        page.Get<QLineEdit>("lbEdtSavePath")->setText(out.QPath());
        QVERIFY(page.Run("BtnPercent"));

        auto* box = page.Get<TResultsBox>("Memo1");
        TResultReasons* reasons = page.Window.Page(TJobPage::jpPercent)->ResultReasons();
        const QString reason = QStringLiteral("不是支持的图片格式");
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            const QString shown = box->ShownText(block);
            QVERIFY2(shown != block.text(), qPrintable(shown));
            QVERIFY(shown.endsWith(block.text().mid(block.text().lastIndexOf('/'))));
            const QPoint point = box->cursorRect(QTextCursor(block)).center();
            const QString tip = reasons->ToolTipAt(point);
            const bool failed = block.text().contains(QStringLiteral("bad.png"));
            QCOMPARE(tip, failed ? block.text() + "\n" + reason : block.text());
            QCOMPARE(reasons->ReasonAt(point), failed ? reason : QString());
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
        page.Window.show();
        auto* field = page.Get<QLineEdit>("lbEdtRWidth");
        field->setFocus();
        const struct {
            const char* Name;
            std::function<void()> Keys;
            QString Field;
            QString Clipboard;
        } kCases[] = {
            {"typed letters are dropped", [&] { QTest::keyClicks(field, "4a2"); }, "42", ""},
            {"Ctrl+A then Ctrl+C copies",
             [&] {
                 QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
             },
             "42", "42"},
            {"Ctrl+X cuts",
             [&] {
                 QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                 QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
             },
             "", "42"},
            {"Ctrl+V pastes unfiltered",
             [&] {
                 QApplication::clipboard()->setText(QStringLiteral("12a"));
                 QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
             },
             "12a", "12a"},
        };
        QApplication::clipboard()->clear();
        for (const auto& c : kCases) {
            c.Keys();
            QVERIFY2(field->text() == c.Field, qPrintable(QString::fromUtf8(c.Name) + ": " + field->text()));
            QVERIFY2(QApplication::clipboard()->text() == c.Clipboard, c.Name);
        }
        // The start button's check then reports the pasted text as no number.
        page.Get<QLineEdit>("lbEdtSavePath")->setText(QStringLiteral("/tmp"));
        QVERIFY(!page.Run("BtnPercent"));
        QCOMPARE(page.Dialogs.Errors, std::vector<QString>({QStringLiteral("'12a' is not a valid integer value")}));
    }
};

QUILLANE_UI_TEST(WindowLayoutTest);

}  // namespace quillane

#include "WindowLayoutTest.moc"
