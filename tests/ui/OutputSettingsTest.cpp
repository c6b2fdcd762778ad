// The "输出设置…" dialog under the 文件 menu: what it shows and returns, and the
// settings it leaves in the host and in Quillane.ini.
#include "UiTestSupport.h"

#include "ui/FrmMain.h"
#include "ui/OutputSettingsDialog.h"
#include "ui/WindowHost.h"
#include "ui/settings/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace quillane {

namespace {

// Runs `answer` on the next modal dialog, then closes it with `result` if still open.
void WhenModal(std::function<void(QDialog*)> answer, int result)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, result] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        timer->deleteLater();
        answer(dialog);
        if (dialog->isVisible())
            dialog->done(result);
    });
    timer->start();
}

TOutputSettings Changed()
{
    TOutputSettings settings;
    settings.JpegQuality = 91;
    settings.WebpQuality = 61;
    settings.AvifQuality = 31;
    settings.HeicQuality = 41;
    settings.JxlQuality = 81;
    settings.Lossless = true;
    settings.PngCompression = 9;
    settings.AvifEffort = 2;
    settings.HeicEffort = 7;
    settings.JxlEffort = 5;
    settings.Metadata = TMetadataMode::mdStripGps;
    settings.KeepTimes = true;
    return settings;
}

QAction* OutputAction(TfrmMain& window)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    if (menus.isEmpty() || menus.front()->menu() == nullptr)
        return nullptr;
    return window.findChild<QAction*>(QStringLiteral("mnuOutput"));
}

}  // namespace

class OutputSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void dialogShowsAndReturnsEverySetting()
    {
        for (const TOutputSettings& given : {TOutputSettings{}, Changed()}) {
            TOutputSettingsDialog dialog(given);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("输出设置"));
            QVERIFY(dialog.Settings() == given);
        }
        TOutputSettingsDialog dialog(TOutputSettings{});
        auto* quality = dialog.findChild<QSpinBox*>(QStringLiteral("SpnJpegQuality"));
        quality->setValue(150);  // the box keeps to the range
        dialog.findChild<QComboBox*>(QStringLiteral("CmbMetadata"))->setCurrentIndex(1);
        dialog.findChild<QCheckBox*>(QStringLiteral("ChkKeepTimes"))->setChecked(true);
        QCOMPARE(dialog.Settings().JpegQuality, 100);
        QVERIFY(dialog.Settings().Metadata == TMetadataMode::mdStrip);
        QVERIFY(dialog.Settings().KeepTimes);
    }

    void confirmedSettingsReachTheRunsAndTheFile()
    {
        TTestFolder folder;
        const std::filesystem::path ini = folder.File("Quillane.ini");
        {
            TfrmMain window(nullptr, ini);
            QAction* action = OutputAction(window);
            QVERIFY(action);
            QCOMPARE(action->text(), QStringLiteral("输出设置…"));
            QVERIFY(window.Host().OutputSettings() == TOutputSettings{});

            // Cancel changes nothing.
            WhenModal([](QDialog* dialog) { dialog->findChild<QSpinBox*>("SpnWebpQuality")->setValue(20); },
                      QDialog::Rejected);
            action->trigger();
            QVERIFY(window.Host().OutputSettings() == TOutputSettings{});

            WhenModal(
                [](QDialog* dialog) {
                    dialog->findChild<QSpinBox*>("SpnWebpQuality")->setValue(20);
                    dialog->findChild<QComboBox*>("CmbMetadata")->setCurrentIndex(2);
                },
                QDialog::Accepted);
            action->trigger();
            QCOMPARE(window.Host().OutputSettings().WebpQuality, 20);
            QVERIFY(window.Host().OutputSettings().Metadata == TMetadataMode::mdStripGps);
        }
        QCOMPARE(TSettingsStore(ini).LoadOutput().WebpQuality, 20);
        TfrmMain again(nullptr, ini);
        QCOMPARE(again.Host().OutputSettings().WebpQuality, 20);
    }
};

QUILLANE_UI_TEST(OutputSettingsTest);

}  // namespace quillane

#include "OutputSettingsTest.moc"
