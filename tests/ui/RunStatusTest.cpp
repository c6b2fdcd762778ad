// A run is seen and stopped from every page: the status bar shows its progress and "停止",
// Esc stops it too, and a stopped run's results box ends with the stopped-run line.
#include "PageTestWindow.h"

#include "ui/RunStatus.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace quillane {

namespace {

const QRegularExpression kStoppedLine(QStringLiteral("^已停止：已处理 \\d+ 个文件，列表中还有 \\d+ 项未处理。$"));

// A window on a folder of `count` pictures, shown, so that what is visible can be asked.
struct TRunWindow : TPageWindow {
    TTestFolder Source;
    TTestFolder Out;
    explicit TRunWindow(int count)
    {
        for (int index = 0; index < count; ++index)
            WritePicture(Source.File("p" + std::to_string(index) + ".png"), SolidPicture(16, 12, Qt::darkCyan));
        ShowFolder(Window, Source.Path());
        Window.show();
    }
    void Fill(const char* field, const QString& text) { Get<QLineEdit>(field)->setText(text); }
    QString LastLine(const char* resultsBox)
    {
        const QStringList lines = Get<QPlainTextEdit>(resultsBox)->toPlainText().split('\n', Qt::SkipEmptyParts);
        return lines.isEmpty() ? QString() : lines.last();
    }
    // Runs `onFirstProgress` while the run waits on its first progress report.
    bool RunAndAtFirstProgress(const char* startButton, const std::function<void()>& onFirstProgress)
    {
        bool seen = false;
        const auto connection = QObject::connect(Window.RunStatus(), &TRunStatus::ProgressShown, &Window, [&] {
            if (!seen) {
                seen = true;
                onFirstProgress();
            }
        });
        const bool ran = Run(startButton);
        QObject::disconnect(connection);
        return ran && seen;
    }
};

struct TPageCase {
    const char* Name;
    int Tab;
    const char* StartButton;
    const char* ResultsBox;
    std::function<void(TRunWindow&)> Fill;
};

const TPageCase kPages[] = {
    {"percent", 0, "BtnPercent", "Memo1",
     [](TRunWindow& w) {
         w.Fill("lbEdtRWidth", "50");
         w.Fill("lbEdtSavePath", w.Out.QPath());
     }},
    {"pixel", 1, "BtnPixel", "MmPixel",
     [](TRunWindow& w) {
         w.Fill("lbEdtWidth", "8");
         w.Fill("lbEdtHeight", "8");
         w.Fill("EdtSavePixel", w.Out.QPath());
     }},
    {"single side", 2, "BtnWOrH", "MmWORH",
     [](TRunWindow& w) {
         w.Get<QRadioButton>("RbWOnly")->click();
         w.Fill("EdtWOnly", "8");
         w.Fill("EdtWOrHPath", w.Out.QPath());
     }},
    {"rename", 3, "BtnRename", "Memo3", [](TRunWindow& w) { w.Fill("EdtNewName", "trip"); }},
    {"convert", 4, "BtnConvert", "Memo2",
     [](TRunWindow& w) {
         w.Get<QComboBox>("CmbD")->setCurrentIndex(1);
         w.Fill("lbEdtSavePath2", w.Out.QPath());
     }},
    {"crop", 5, "BtnCut", "Memo4",
     [](TRunWindow& w) {
         w.Fill("EdtW", "5");
         w.Fill("EdtH", "4");
         w.Fill("EdtCutSave", w.Out.QPath());
     }},
    {"watermark", 6, "BtnWatermark", "MmWatermark",
     [](TRunWindow& w) {
         w.Fill("EdtWatermark", "Q");
         w.Fill("EdtWatermarkX", "1");
         w.Fill("EdtWatermarkY", "1");
         w.Fill("EdtWatermarkSave", w.Out.QPath());
     }},
};

}  // namespace

class RunStatusTest : public QObject {
    Q_OBJECT

private slots:
    void progressAndStopAreInTheStatusBarOfEveryPage()
    {
        TRunWindow window(4);
        kPages[0].Fill(window);
        auto* tabs = window.Get<QTabWidget>("PageControl1");
        auto* stop = window.Get<QPushButton>("BtnStatusStop");
        QVERIFY(!window.Window.RunStatus()->isVisible());
        QStringList seen;
        QVERIFY(window.RunAndAtFirstProgress("BtnPercent", [&] {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                if (window.Window.statusBar()->isVisible() && window.Window.RunStatus()->isVisible() &&
                    stop->isVisible() && stop->isEnabled())
                    seen << tabs->tabText(tab);
            }
            seen << window.Get<QLabel>("LblRunCount")->text();
            stop->click();
            QVERIFY(!stop->isEnabled());  // once is enough: the run ends after the file in progress
        }));
        QCOMPARE(seen.size(), tabs->count() + 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d+ / 4$")).match(seen.last()).hasMatch(),
                 qPrintable(seen.last()));
        QVERIFY2(kStoppedLine.match(window.LastLine("Memo1")).hasMatch(), qPrintable(window.LastLine("Memo1")));
        QCOMPARE(window.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
        QVERIFY(!window.Window.RunStatus()->isVisible());
    }

    void escapeStopsTheRun()
    {
        TRunWindow window(4);
        kPages[0].Fill(window);
        window.Window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.Window));
        QVERIFY(window.RunAndAtFirstProgress("BtnPercent", [&] {
            window.Get<QTabWidget>("PageControl1")->setCurrentIndex(3);
            QTest::keyClick(&window.Window, Qt::Key_Escape);
        }));
        QVERIFY2(kStoppedLine.match(window.LastLine("Memo1")).hasMatch(), qPrintable(window.LastLine("Memo1")));

        // Without a run Esc does nothing at all.
        window.Dialogs.Messages.clear();
        QTest::keyClick(&window.Window, Qt::Key_Escape);
        QVERIFY(window.Dialogs.Messages.empty());
    }

    void everyPagesResultsBoxEndsWithTheStoppedRunLine()
    {
        for (const TPageCase& page : kPages) {
            TRunWindow window(3);
            window.Get<QTabWidget>("PageControl1")->setCurrentIndex(page.Tab);
            page.Fill(window);
            QVERIFY2(window.RunAndAtFirstProgress(page.StartButton, [&] { window.Window.RequestStop(); }), page.Name);
            const QString last = window.LastLine(page.ResultsBox);
            QVERIFY2(kStoppedLine.match(last).hasMatch(), qPrintable(QString::fromUtf8(page.Name) + ": " + last));
        }
    }
};

QUILLANE_UI_TEST(RunStatusTest);

}  // namespace quillane

#include "RunStatusTest.moc"
