// The folder chooser, the overwrite prompt, the about box and the message boxes.
#include "UiTestSupport.h"

#include "ui/Dialogs.h"
#include "ui/FrmAbout.h"
#include "ui/FrmPath.h"
#include "ui/FrmRewrite.h"
#include "ui/ShellTreeView.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace quillane {

namespace {

// Runs `answer` once the next modal dialog is showing.
void WhenModal(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer->deleteLater();
            answer(modal);
            // A failed check above must not leave the test hanging in exec().
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->done(QDialog::Rejected);
        }
    });
    timer->start();
}

void Click(QWidget* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(QString::fromUtf8(button))->click();
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void folderChooserOkCancelAndKeptSelection()
    {
        TTestFolder folder;
        std::filesystem::create_directory(folder.File("target"));
        const QString target = folder.QPath() + "/target";
        QMainWindow owner;
        TfrmPath chooser(&owner);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("选择目录："));
        auto* tree = chooser.findChild<TShellTreeView*>(QStringLiteral("ShellTreeView1"));

        WhenModal([&](QWidget* dialog) {
            QVERIFY(tree->SelectPath(target));
            Click(dialog, "BtnOK");
        });
        chooser.exec();
        QCOMPARE(chooser.ChosenPath(), target);

        // Reopens on the folder chosen last; Cancel chooses nothing.
        WhenModal([&](QWidget* dialog) {
            QCOMPARE(tree->SelectedPath(), target);
            QVERIFY(chooser.ChosenPath().isEmpty());  // cleared on every show
            Click(dialog, "BtnCancel");
        });
        chooser.exec();
        QVERIFY(chooser.ChosenPath().isEmpty());
    }

    void folderChooserRefusesAVanishedFolder()
    {
        TTestFolder folder;
        std::filesystem::create_directory(folder.File("gone"));
        QMainWindow owner;
        TfrmPath chooser(&owner);
        auto* tree = chooser.findChild<TShellTreeView*>(QStringLiteral("ShellTreeView1"));
        auto* ok = chooser.findChild<QPushButton*>(QStringLiteral("BtnOK"));
        WhenModal([&](QWidget* dialog) {
            QVERIFY(tree->SelectPath(folder.QPath() + "/gone"));
            QVERIFY(ok->isEnabled());
            std::filesystem::remove(folder.File("gone"));
            Click(dialog, "BtnOK");
        });
        chooser.exec();
        QVERIFY(chooser.ChosenPath().isEmpty());
    }

    void overwritePromptKeepsItsBox()
    {
        QMainWindow owner;
        TfrmRewrite prompt(&owner);
        QCOMPARE(prompt.windowTitle(), QStringLiteral("Quillane"));
        QVERIFY(!(prompt.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(prompt.windowFlags() & Qt::WindowSystemMenuHint));
        QCOMPARE(prompt.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("要创建的文件已存在，是否覆盖？"));
        auto* noHint = prompt.findChild<QCheckBox*>(QStringLiteral("ChkNoHint"));
        QCOMPARE(noHint->text(), QStringLiteral("不再提示"));
        QVERIFY(!noHint->isChecked());

        WhenModal([&](QWidget* dialog) {
            QTest::keyClick(dialog, Qt::Key_Escape);  // no answer by Escape
            QVERIFY(dialog->isVisible());
            noHint->setChecked(true);
            Click(dialog, "BtnNo");
        });
        TOverwriteAnswer answer = prompt.Ask();
        QVERIFY(!answer.Yes);
        QVERIFY(answer.DontAskAgain);

        WhenModal([&](QWidget* dialog) {
            QVERIFY(noHint->isChecked());  // still ticked at the next prompt
            Click(dialog, "BtnYes");
        });
        answer = prompt.Ask();
        QVERIFY(answer.Yes);
        QVERIFY(answer.DontAskAgain);
    }

    void aboutBoxAndItsMailLink()
    {
        QMainWindow owner;
        std::vector<QUrl> opened;
        TfrmAbout about(&owner, [&](const QUrl& url) { opened.push_back(url); });
        QCOMPARE(about.windowTitle(), QStringLiteral("Quillane"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Quillane 3.41"));
        auto* link = about.findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(link->text().startsWith(QStringLiteral("技术支持：")));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened.size(), size_t(1));
        QCOMPARE(opened[0].scheme(), QStringLiteral("mailto"));
        QCOMPARE(opened[0].path(), link->text().mid(5));
        QCOMPARE(opened[0].query(QUrl::FullyDecoded), QStringLiteral("subject=关于Quillane"));
    }

    void messageBoxesTitledAndOwned()
    {
        QMainWindow owner;
        TModalDialogs dialogs(&owner);
        struct TCase {
            TMessageStyle Style;
            QMessageBox::Icon Icon;
            QMessageBox::StandardButton Press;
            TMessageAnswer Expected;
        };
        const TCase cases[] = {
            {TMessageStyle::msInformationOk, QMessageBox::Information, QMessageBox::Ok, TMessageAnswer::maOk},
            {TMessageStyle::msQuestionOk, QMessageBox::Question, QMessageBox::Ok, TMessageAnswer::maOk},
            {TMessageStyle::msQuestionYesNo, QMessageBox::Question, QMessageBox::Yes, TMessageAnswer::maYes},
            {TMessageStyle::msQuestionYesNo, QMessageBox::Question, QMessageBox::No, TMessageAnswer::maNo},
        };
        for (const TCase& test : cases) {
            WhenModal([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box);
                QCOMPARE(box->windowTitle(), QStringLiteral("Quillane"));
                QCOMPARE(box->parentWidget(), &owner);
                QCOMPARE(box->icon(), test.Icon);
                QCOMPARE(box->text(), QStringLiteral("处理完成！"));
                box->button(test.Press)->click();
            });
            QCOMPARE(dialogs.ShowMessage(QStringLiteral("处理完成！"), test.Style), test.Expected);
        }
    }

    void pendingQuestionsAnsweredNoWhenClosing()
    {
        QMainWindow owner;
        TModalDialogs dialogs(&owner);
        WhenModal([&](QWidget*) { dialogs.AnswerPending(); });
        QVERIFY(!dialogs.AskOverwrite().Yes);
        WhenModal([&](QWidget*) { dialogs.AnswerPending(); });
        QCOMPARE(
            dialogs.ShowMessage(QStringLiteral("缩略图输出路径不存在，是否创建？"), TMessageStyle::msQuestionYesNo),
            TMessageAnswer::maNo);
    }
};

QUILLANE_UI_TEST(DialogsTest);

}  // namespace quillane

#include "DialogsTest.moc"
