// The "输出设置…" dialog under the 文件 menu: what it shows and returns, and the
// settings it leaves in the host and in Quillane.ini.
#include "UiTestSupport.h"

#include "ui/FrmMain.h"
#include "ui/WindowHost.h"
#include "ui/settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace quillane {

namespace {

}  // namespace

class OutputSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void confirmedSettingsReachTheRunsAndTheFile()
    {
        TTestFolder folder;
        const std::filesystem::path ini = folder.File("Quillane.ini");
        TOutputSettings expected;
        {
            TfrmMain window(nullptr, ini);
            auto* action = window.findChild<QAction*>(QStringLiteral("mnuOutput"));
            QVERIFY(action && window.menuBar()->actions().front()->menu()->actions().contains(action));
            QCOMPARE(action->text(), QStringLiteral("输出设置…"));
            QVERIFY(window.Host().OutputSettings() == TOutputSettings{});

            // Cancel changes nothing.
            AnswerNextDialog([](QDialog* dialog) { dialog->findChild<QSpinBox*>("SpnWebpQuality")->setValue(20); },
                             QDialog::Rejected);
            action->trigger();
            QVERIFY(window.Host().OutputSettings() == TOutputSettings{});

            AnswerNextDialog(
                [](QDialog* dialog) {
                    QCOMPARE(dialog->windowTitle(), QStringLiteral("输出设置"));
                    dialog->findChild<QSpinBox*>("SpnWebpQuality")->setValue(20);
                    dialog->findChild<QSpinBox*>("SpnJpegQuality")->setValue(150);  // kept to its range
                    dialog->findChild<QComboBox*>("CmbMetadata")->setCurrentIndex(2);
                    dialog->findChild<QCheckBox*>("ChkKeepTimes")->setChecked(true);
                    dialog->findChild<QCheckBox*>("ChkTrashReplaced")->setChecked(true);
                },
                QDialog::Accepted);
            action->trigger();
            expected.WebpQuality = 20;
            expected.JpegQuality = 100;
            expected.Metadata = TMetadataMode::mdStripGps;
            expected.KeepTimes = true;
            expected.TrashReplaced = true;
            QVERIFY(window.Host().OutputSettings() == expected);
        }
        QVERIFY(TSettingsStore(ini).LoadOutput() == expected);
        TfrmMain again(nullptr, ini);
        QVERIFY(again.Host().OutputSettings() == expected);
    }
};

QUILLANE_UI_TEST(OutputSettingsTest);

}  // namespace quillane

#include "OutputSettingsTest.moc"
