// "创建缩略图(&C)" on the first page, from the button through the engine and back.
#include "UiTestSupport.h"

#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/OperationPage.h"
#include "ui/SourceBrowser.h"
#include "ui/WindowHost.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace quillane {

namespace fs = std::filesystem;

namespace {

const QString kDone = QStringLiteral("创建缩略图成功！");
const QString kFailed = QStringLiteral("创建缩略图失败！");

}  // namespace

class PercentRunTest : public QObject {
    Q_OBJECT

private:
    // A window on `source` with the percentage page filled in.
    struct TSetup {
        TfrmMain Window;
        TFakeDialogs Dialogs;
        TSetup(const fs::path& source, const QString& saveFolder, const QString& percent = "50")
        {
            Window.SetDialogs(&Dialogs);
            ShowFolder(Window, source);
            Field("lbEdtRWidth")->setText(percent);
            Field("lbEdtRHeight")->setText(percent);
            Field("lbEdtSavePath")->setText(saveFolder);
        }
        ~TSetup() { Window.SetDialogs(nullptr); }
        QLineEdit* Field(const char* name) { return Window.findChild<QLineEdit*>(QString::fromUtf8(name)); }
        QPushButton* Button(const char* name) { return Window.findChild<QPushButton*>(QString::fromUtf8(name)); }
        // The percentage page's own stop button (every page has one).
        QPushButton* Stop()
        {
            return Window.Page(TJobPage::jpPercent)->findChild<QPushButton*>(QStringLiteral("BtnStop"));
        }
        QPlainTextEdit* Memo1() { return Window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
        QStringList Lines() { return Memo1()->toPlainText().split('\n', Qt::SkipEmptyParts); }
        // Presses the start button and waits for the run to end.
        bool Run()
        {
            QSignalSpy finished(&Window, &TfrmMain::RunFinished);
            Button("BtnPercent")->click();
            return finished.count() > 0 || finished.wait(60000);
        }
    };

    // The photos of the folder QUILLANE_PHOTOS names, copied into `folder`; how many.
    static int CopyBenchPhotos(const TTestFolder& folder)
    {
        const QByteArray photos = qgetenv("QUILLANE_PHOTOS");
        if (photos.isEmpty())
            return 0;
        int copied = 0;
        for (const auto& entry : fs::directory_iterator(photos.toStdString())) {
            if (!entry.is_regular_file())
                continue;
            fs::copy_file(entry.path(), folder.File(entry.path().filename().string()));
            ++copied;
        }
        return copied;
    }

    static void MakePictures(const TTestFolder& folder, int count)
    {
        for (int index = 0; index < count; ++index)
            WritePicture(folder.File("p" + std::to_string(index) + ".png"), SolidPicture(16, 12, Qt::darkCyan));
    }

private slots:
    void resultLinesFilesAndClosingMessage()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("a.jpg"), SolidPicture(40, 20, Qt::red));
        WritePicture(source.File("b.png"), SolidPicture(30, 30, Qt::green));
        WritePicture(source.File("c.bmp"), SolidPicture(10, 50, Qt::blue));
        TSetup setup(source.Path(), out.QPath());
        QVERIFY(setup.Run());

        QCOMPARE(setup.Lines(), QStringList({source.QPath() + "/a.jpg" + kDone, source.QPath() + "/b.png" + kDone,
                                             source.QPath() + "/c.bmp" + kDone}));
        QVERIFY(!setup.Memo1()->isHidden());
        QCOMPARE(StoredSize(out.File("a_s.jpg")), QSize(20, 10));
        QCOMPARE(StoredSize(out.File("b_s.png")), QSize(15, 15));
        QCOMPARE(StoredSize(out.File("c_s.bmp")), QSize(5, 25));
        QCOMPARE(setup.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
        QCOMPARE(setup.Dialogs.Messages[0].Style, TMessageStyle::msInformationOk);
        QCOMPARE(setup.Field("lbEdtSavePath")->text(), out.QPath() + "/");  // the separator is added
        QVERIFY(setup.Window.Browser()->isEnabled());
        QVERIFY(setup.Button("BtnPercent")->isEnabled());
    }

    void checksStopBeforeAnyRun()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("a.jpg"), SolidPicture(8, 8, Qt::red));
        TSetup setup(source.Path(), out.QPath(), "");
        setup.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup.Window));
        QSignalSpy finished(&setup.Window, &TfrmMain::RunFinished);
        auto* constraint = setup.Window.findChild<QCheckBox*>(QStringLiteral("ChkConstraint"));
        constraint->click();  // lets the two percentages differ
        QVERIFY(!constraint->isChecked());
        setup.Field("lbEdtRHeight")->setText("5");
        setup.Button("BtnPercent")->click();
        QCOMPARE(setup.Dialogs.MessageTexts(), QStringList({"请正确设置缩略图创建规则！"}));
        QCOMPARE(setup.Dialogs.Messages[0].Style, TMessageStyle::msInformationOk);
        QCOMPARE(QApplication::focusWidget(), setup.Field("lbEdtRWidth"));
        QVERIFY(!setup.Window.JobRunning());
        QVERIFY(setup.Memo1()->isHidden());

        setup.Field("lbEdtRWidth")->setText("1x");  // pasted text that is no number
        setup.Button("BtnPercent")->click();
        QCOMPARE(setup.Dialogs.Errors, std::vector<QString>({"'1x' is not a valid integer value"}));
        QCOMPARE(finished.count(), 0);
        QVERIFY(fs::is_empty(out.Path()));
    }

    void missingFolderCreatedAfterYes()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("a.jpg"), SolidPicture(8, 8, Qt::red));
        TSetup setup(source.Path(), out.QPath() + "/new");
        setup.Dialogs.MessageAnswers = {TMessageAnswer::maYes};
        QVERIFY(setup.Run());
        QCOMPARE(setup.Dialogs.MessageTexts(), QStringList({"缩略图输出路径不存在，是否创建？", "处理完成！"}));
        QVERIFY(fs::exists(out.File("new/a_s.jpg")));
    }

    void overwritePromptDuringRunWithWindowLocked()
    {
        TTestFolder source;
        WritePicture(source.File("a.jpg"), SolidPicture(20, 20, Qt::red));
        WritePicture(source.File("b.jpg"), SolidPicture(20, 20, Qt::red));
        WritePicture(source.File("a_s.jpg"), SolidPicture(6, 6, Qt::blue));
        WritePicture(source.File("b_s.jpg"), SolidPicture(7, 7, Qt::blue));
        TSetup setup(source.Path(), source.QPath());  // results beside their sources
        bool lockedWhileAsking = true;
        setup.Dialogs.OnOverwritePrompt = [&] {
            auto* stop = setup.Stop();
            lockedWhileAsking = lockedWhileAsking && !setup.Window.Browser()->isEnabled() &&
                                !setup.Button("BtnPercent")->isEnabled() && stop->isVisibleTo(&setup.Window) &&
                                stop->isEnabled() && !setup.Button("BtnPixel")->isEnabled() &&
                                setup.Window.JobRunning();
        };
        setup.Dialogs.OverwriteAnswers = {{false, true}};  // No, and don't ask again
        QVERIFY(setup.Run());

        QCOMPARE(setup.Dialogs.OverwritePrompts, 1);
        QVERIFY(lockedWhileAsking);
        // The list held a.jpg, a_s.jpg, b.jpg, b_s.jpg at the click; each is handled once.
        QCOMPARE(setup.Lines(),
                 QStringList({source.QPath() + "/a.jpg" + kFailed, source.QPath() + "/a_s.jpg" + kDone,
                              source.QPath() + "/b.jpg" + kFailed, source.QPath() + "/b_s.jpg" + kDone}));
        QCOMPARE(StoredSize(source.File("a_s.jpg")), QSize(6, 6));  // both left as they were
        QCOMPARE(StoredSize(source.File("b_s.jpg")), QSize(7, 7));
        QCOMPARE(StoredSize(source.File("a_s_s.jpg")), QSize(3, 3));
        QVERIFY(!setup.Stop()->isVisibleTo(&setup.Window));
    }

    void oddFileNameRunsThrough()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("ok.png"), SolidPicture(20, 20, Qt::red));
        fs::rename(source.File("ok.png"), source.File("pic\xff.png"));
        TSetup setup(source.Path(), out.QPath());
        QVERIFY(setup.Run());
        QCOMPARE(setup.Lines().size(), 1);
        QVERIFY(setup.Lines()[0].endsWith(kDone));
        QCOMPARE(StoredSize(out.File("pic\xff_s.png")), QSize(10, 10));
    }

    // 100 small pictures; bench/window-responsiveness points QUILLANE_PHOTOS at a folder
    // of real photos instead, which are run through in high quality.
    void windowAnswersDuringALongRun()
    {
        TTestFolder source;
        TTestFolder out;
        const int pictures = CopyBenchPhotos(source);
        if (pictures == 0)
            MakePictures(source, 100);
        const int expectedLines = pictures == 0 ? 100 : pictures;
        TSetup setup(source.Path(), out.QPath());
        setup.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup.Window));

        // The longest pause of the event loop while the run goes on.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        int ticks = 0;
        QTimer probe;
        probe.setInterval(1);
        connect(&probe, &QTimer::timeout, &probe, [&] {
            if (setup.Window.JobRunning()) {
                longestGap = std::max(longestGap, sinceTick.elapsed());
                ++ticks;
            }
            sinceTick.restart();
        });
        sinceTick.start();
        probe.start();
        QElapsedTimer runTime;
        runTime.start();
        QVERIFY(setup.Run());
        const qint64 total = runTime.elapsed();
        probe.stop();

        QCOMPARE(setup.Lines().size(), expectedLines);
        qInfo("%d pictures: run %lld ms, %d event-loop turns, longest pause %lld ms", expectedLines, total, ticks,
              longestGap);
        QVERIFY2(ticks > 20, "the event loop hardly ran while the job did");
        // The goal is 100 ms; the bound leaves room for a machine busy with other work,
        // while a run on the GUI thread would stall it for the whole run.
        QVERIFY2(longestGap < 250, qPrintable(QString("the window paused %1 ms").arg(longestGap)));
    }

    void stopEndsAfterTheFileInProgress()
    {
        TTestFolder source;
        TTestFolder out;
        MakePictures(source, 60);
        TSetup setup(source.Path(), out.QPath());
        // Stop as soon as the first line is in.
        connect(setup.Memo1(), &QPlainTextEdit::textChanged, &setup.Window, [&] {
            auto* stop = setup.Stop();
            if (stop->isVisibleTo(&setup.Window) && stop->isEnabled() && !setup.Memo1()->toPlainText().isEmpty())
                stop->click();
        });
        QVERIFY(setup.Run());
        // The results box ends with how far the run got.
        QStringList results = setup.Lines();
        QVERIFY(!results.isEmpty());
        const QString stopLine = results.takeLast();
        const int lines = results.size();
        QCOMPARE(stopLine, QString("已停止：已处理 %1 个文件，列表中还有 %2 项未处理。").arg(lines).arg(60 - lines));
        QVERIFY2(lines >= 1 && lines < 60, qPrintable(QString::number(lines)));
        // Every line stands for a file that was written, and nothing else was.
        QCOMPARE(static_cast<int>(std::distance(fs::directory_iterator(out.Path()), fs::directory_iterator())), lines);
        QVERIFY(setup.Button("BtnPercent")->isEnabled());
        QCOMPARE(setup.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void closingDuringARunStopsItFirst()
    {
        TTestFolder source;
        TTestFolder out;
        MakePictures(source, 60);
        TSetup setup(source.Path(), out.QPath());
        setup.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup.Window));
        bool closed = false;
        connect(setup.Memo1(), &QPlainTextEdit::textChanged, &setup.Window, [&] {
            if (!closed && !setup.Memo1()->toPlainText().isEmpty()) {
                closed = true;
                QVERIFY(!setup.Window.close());  // refused for now, the run ends first
            }
        });
        QVERIFY(setup.Run());
        QVERIFY(!setup.Window.isVisible());
        QVERIFY(setup.Lines().size() < 60);
        QCOMPARE(setup.Dialogs.PendingAnswered, 1);
        QVERIFY(setup.Dialogs.Messages.empty());  // no closing message into a closing window
    }

    void closingAnswersAPromptThatIsShowing()
    {
        TTestFolder source;
        WritePicture(source.File("a.jpg"), SolidPicture(20, 20, Qt::red));
        WritePicture(source.File("a_s.jpg"), SolidPicture(6, 6, Qt::blue));
        TfrmMain window;
        TModalDialogs dialogs(&window);  // the real prompt, shown while the worker waits
        window.SetDialogs(&dialogs);
        ShowFolder(window, source.Path());
        for (const char* name : {"lbEdtRWidth", "lbEdtRHeight"})
            window.findChild<QLineEdit*>(QString::fromUtf8(name))->setText("50");
        window.findChild<QLineEdit*>(QStringLiteral("lbEdtSavePath"))->setText(source.QPath());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        bool prompted = false;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, &window, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!prompted && modal && modal->objectName() == QStringLiteral("frmRewrite")) {
                prompted = true;
                window.close();
            }
        });
        watch.start();
        QSignalSpy finished(&window, &TfrmMain::RunFinished);
        window.findChild<QPushButton*>(QStringLiteral("BtnPercent"))->click();
        QVERIFY(finished.wait(30000));
        watch.stop();

        QVERIFY(prompted);
        QVERIFY(!window.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);      // no closing message left behind
        QCOMPARE(StoredSize(source.File("a_s.jpg")), QSize(6, 6));  // answered "否"
        QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
                 source.QPath() + "/a.jpg" + kFailed + "\n已停止：已处理 1 个文件，列表中还有 1 项未处理。");
        window.SetDialogs(nullptr);
    }
};

QUILLANE_UI_TEST(PercentRunTest);

}  // namespace quillane

#include "PercentRunTest.moc"
