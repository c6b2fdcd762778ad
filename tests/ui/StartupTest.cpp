// The main window as it comes up: title, size, type list, preview mode, pages, menus.
#include "UiTestSupport.h"

#include "jobs/TypeFilter.h"
#include "ui/FrmMain.h"
#include "ui/OperationPage.h"
#include "ui/SourceBrowser.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

namespace quillane {

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void titleSizeAndCaption()
    {
        TfrmMain window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillane"));
        QCOMPARE(window.size(), QSize(839, 669));
        // The list starts on the home folder, and the caption names it.
        QCOMPARE(window.Browser()->title(), QStringLiteral(" 源文件指定：") + QDir::homePath() + " ");
    }

    void everyTypeTickedInOrder()
    {
        TfrmMain window;
        auto* types = window.findChild<QListWidget*>(QStringLiteral("ClbType"));
        QVERIFY(types);
        const QStringList expected{"JPEG (*.JPG;*.JPEG)",  "PNG (*.PNG)",         "BMP (*.BMP)",
                                   "GIF (*.GIF)",          "TIFF (*.TIF;*.TIFF)", "WEBP (*.WEBP)",
                                   "HEIC (*.HEIC;*.HEIF)", "AVIF (*.AVIF)",       "JXL (*.JXL)"};
        QCOMPARE(types->count(), expected.size());
        for (int row = 0; row < types->count(); ++row) {
            QCOMPARE(types->item(row)->text(), expected[row]);
            QCOMPARE(types->item(row)->checkState(), Qt::Checked);
        }
        QCOMPARE(window.Browser()->CheckedTypeCaptions().size(), size_t(9));
        QVERIFY(!window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder"))->isChecked());
    }

    void thumbnailPreviewSelected()
    {
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("RbImage"))->isChecked());
        QVERIFY(!window.findChild<QRadioButton*>(QStringLiteral("RbWeb"))->isChecked());
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("Image1"))->isVisible());
        QVERIFY(!window.findChild<QScrollArea*>(QStringLiteral("PnlWeb"))->isVisible());
    }

    void sevenPagesFirstActiveResultsHidden()
    {
        TfrmMain window;
        auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        const QStringList captions{"按百分比生成缩略图", "按宽和高像素生成缩略图", "按宽或高像素生成缩略图",
                                   "批量重命名",         "批量类型转换",           "批量剪裁",
                                   "批量设置水印标签"};
        const QStringList sheets{"TabSheet1", "TabSheet5", "TabSheet6", "TabSheet3",
                                 "TabSheet2", "TabSheet4", "TabSheet7"};
        const QStringList buttons{"BtnPercent", "BtnPixel", "BtnWOrH",     "BtnRename",
                                  "BtnConvert", "BtnCut",   "BtnWatermark"};
        const QStringList boxes{"Memo1", "MmPixel", "MmWORH", "Memo3", "Memo2", "Memo4", "MmWatermark"};
        QCOMPARE(pages->count(), 7);
        QCOMPARE(pages->currentIndex(), 0);
        for (int index = 0; index < 7; ++index) {
            QWidget* page = pages->widget(index);
            QCOMPARE(pages->tabText(index), captions[index]);
            QCOMPARE(page->objectName(), sheets[index]);
            QVERIFY2(page->findChild<QPushButton*>(buttons[index]), qPrintable(buttons[index]));
            auto* results = page->findChild<QPlainTextEdit*>(boxes[index]);
            QVERIFY2(results && results->isHidden(), qPrintable(boxes[index]));
            QCOMPARE(window.Page(static_cast<TJobPage>(index)), page);
        }
        QCOMPARE(window.findChild<QPushButton*>("BtnPercent")->text(), QStringLiteral("创建缩略图(&C)"));
        QVERIFY(pages->widget(4)->findChild<QPushButton*>(QStringLiteral("BtnGood")));
    }

    void menusOpenTheWebPageAndTheAboutBox()
    {
        TfrmMain window;
        TFakeDialogs dialogs;
        window.SetDialogs(&dialogs);
        const QStringList titles{"文件(&F)", "帮助(&H)"};
        QStringList menus;
        for (QAction* action : window.menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, titles);
        window.findChild<QAction*>(QStringLiteral("N2"))->trigger();
        window.findChild<QPushButton*>(QStringLiteral("BtnGood"))->click();
        QCOMPARE(dialogs.OpenedUrls.size(), size_t(2));
        QCOMPARE(dialogs.OpenedUrls[0], dialogs.OpenedUrls[1]);
        QVERIFY(dialogs.OpenedUrls[0].isValid());
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(dialogs.AboutShown, 1);
        window.show();
        window.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
        QVERIFY(!window.isVisible());
        window.SetDialogs(nullptr);
    }
};

QUILLANE_UI_TEST(StartupTest);

}  // namespace quillane

#include "StartupTest.moc"
