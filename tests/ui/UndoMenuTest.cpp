// 文件 → 撤销上次操作 in the window's language: the item named after the run it takes
// back, and the message that says what was restored and what was skipped.
#include "UiTestSupport.h"

#include "jobs/RunJournal.h"
#include "ui/FrmMain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cstdlib>
#include <fstream>

namespace quillane {

namespace {

namespace fs = std::filesystem;

// A rename run of one file, a.jpg to b.jpg, written to the journal as the job writes it.
void RenameOneFile(const fs::path& folder)
{
    fs::create_directories(folder);
    std::ofstream(folder / "a.jpg") << "a";
    TRunJournal journal(TJobPage::jpRename, folder);
    journal.RecordRename(folder / "a.jpg", folder / "b.jpg");
    fs::rename(folder / "a.jpg", folder / "b.jpg");
}

// The journals of this test in a folder of its own, for as long as it runs.
class TJournalHome {
public:
    explicit TJournalHome(const fs::path& folder) { ::setenv("XDG_DATA_HOME", folder.c_str(), 1); }
    ~TJournalHome() { ::unsetenv("XDG_DATA_HOME"); }
    TJournalHome(const TJournalHome&) = delete;
    TJournalHome& operator=(const TJournalHome&) = delete;
};

struct TUndoCase {
    const char* what;
    TLanguage language;
    bool changedSince;  // the renamed file was written to after the run
    QString caption;    // %1: the folder
    QString message;    // %1: the file the undo would give back
};

}  // namespace

class UndoMenuTest : public QObject {
    Q_OBJECT

private slots:
    void theUndoItemAndItsMessageSpeakTheWindowsLanguage()
    {
        const TUndoCase cases[] = {
            {"Chinese", TLanguage::lgChinese, false, QStringLiteral("撤销重命名：%1，1 个文件"),
             QStringLiteral("撤销完成：已恢复 1 个文件，跳过 0 个。")},
            {"English", TLanguage::lgEnglish, false, QStringLiteral("Undo Rename in %1 (1 files)"),
             QStringLiteral("Undo finished: 1 files restored, 0 skipped.")},
            {"Chinese, skipped", TLanguage::lgChinese, true, QStringLiteral("撤销重命名：%1，1 个文件"),
             QStringLiteral("撤销完成：已恢复 0 个文件，跳过 1 个。\n%1: 文件在这次处理之后已被改动")},
            {"English, skipped", TLanguage::lgEnglish, true, QStringLiteral("Undo Rename in %1 (1 files)"),
             QStringLiteral("Undo finished: 0 files restored, 1 skipped.\n%1: The file has changed since that run")},
        };
        TTestFolder folder;
        const TJournalHome journals(folder.Path() / "data");
        for (const TUndoCase& c : cases) {
            const fs::path source = folder.Path() / c.what;
            RenameOneFile(source);
            if (c.changedSince)
                std::ofstream(source / "b.jpg", std::ios::app) << "changed";
            TFakeDialogs dialogs;
            TfrmMain window(nullptr, folder.File("Quillane.ini"));
            window.SetDialogs(&dialogs);
            window.ChooseLanguage(c.language);

            QMenu* fileMenu = window.menuBar()->actions().front()->menu();
            emit fileMenu->aboutToShow();
            auto* undo = window.findChild<QAction*>(QStringLiteral("mnuUndo"));
            QCOMPARE(undo->text(), c.caption.arg(QString::fromStdString(source.string())));
            QVERIFY(undo->isEnabled());

            undo->trigger();
            QCOMPARE(dialogs.MessageTexts(),
                     QStringList{c.message.arg(QString::fromStdString((source / "a.jpg").string()))});
            window.SetDialogs(nullptr);
        }
    }
};

QUILLANE_UI_TEST(UndoMenuTest);

}  // namespace quillane

#include "UndoMenuTest.moc"
