// A run is seen and stopped from every page: the status bar shows its progress and "停止",
// Esc stops it too, and a stopped run's results box ends with the stopped-run line.
#include "PageCases.h"

#include "ui/RunStatus.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace quillane {

namespace {

// Presses the start button and calls `atFirstProgress` while the run waits on its first
// progress report; the last line of the page's results box after the run.
QString RunAndLastLine(TFolderWindow& window, const TPageCase& page, const std::function<void()>& atFirstProgress)
{
    bool seen = false;
    QObject::connect(window.Window.RunStatus(), &TRunStatus::ProgressShown, &window.Window, [&] {
        if (!std::exchange(seen, true))
            atFirstProgress();
    });
    if (!window.Run(page.StartButton) || !seen)
        return {};
    return window.Get<QPlainTextEdit>(page.ResultsBox)->toPlainText().split('\n', Qt::SkipEmptyParts).last();
}

bool IsStoppedLine(const QString& line)
{
    static const QRegularExpression stopped(QStringLiteral("^已停止：已处理 \\d+ 个文件，列表中还有 \\d+ 项未处理。$"));
    return stopped.match(line).hasMatch();
}

}  // namespace

class RunStatusTest : public QObject {
    Q_OBJECT

private slots:
    void theStatusBarShowsTheRunOnEveryPageAndStopsIt()
    {
        for (const bool byEscape : {false, true}) {
            TFolderWindow window(4);
            window.Window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window.Window));
            ShowFilledPage(window, PageCases()[0]);
            auto* tabs = window.Get<QTabWidget>("PageControl1");
            auto* stop = window.Get<QPushButton>("BtnStatusStop");
            QVERIFY(!window.Window.RunStatus()->isVisible());
            int pagesShowingIt = 0;
            const QString last = RunAndLastLine(window, PageCases()[0], [&] {
                for (int tab = 0; tab < tabs->count(); ++tab) {
                    tabs->setCurrentIndex(tab);
                    pagesShowingIt += window.Window.RunStatus()->isVisible() && stop->isVisible() && stop->isEnabled();
                }
                QCOMPARE(window.Get<QLabel>("LblRunCount")->text(), QStringLiteral("0 / 4"));
                if (byEscape)
                    QTest::keyClick(&window.Window, Qt::Key_Escape);
                else
                    stop->click();
                QVERIFY(!stop->isEnabled());  // once is enough
            });
            QCOMPARE(pagesShowingIt, tabs->count());
            QVERIFY2(IsStoppedLine(last), qPrintable(last));
            QCOMPARE(window.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
            QVERIFY(!window.Window.RunStatus()->isVisible());
        }
    }

    void everyPagesResultsBoxEndsWithTheStoppedRunLine()
    {
        for (const TPageCase& page : PageCases()) {
            TFolderWindow window(3);
            ShowFilledPage(window, page);
            const QString last = RunAndLastLine(window, page, [&] { window.Window.RequestStop(); });
            QVERIFY2(IsStoppedLine(last), qPrintable(QString::fromUtf8(page.StartButton) + ": " + last));
        }
    }
};

QUILLANE_UI_TEST(RunStatusTest);

}  // namespace quillane

#include "RunStatusTest.moc"
