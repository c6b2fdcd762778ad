// The window in English beside Chinese: every text has its English entry, the help
// menu switches at once and remembers the choice in Quillane.ini.
#include "PageCases.h"
#include "UiTestSupport.h"

#include "jobs/JobTexts.h"
#include "ui/FrmMain.h"
#include "ui/EffectPreview.h"
#include "ui/OperationPage.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"
#include "ui/WindowHost.h"
#include "ui/WindowLanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <fstream>
#include <iterator>

namespace quillane {

namespace {

bool HasChinese(const QString& text)
{
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

// Every Chinese string literal of the window's sources; a text added later shows up here.
QStringList WindowSourceLiterals()
{
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    QStringList texts;
    QDirIterator files(QString::fromUtf8(QUILLANE_SOURCE_DIR "/src/ui"), {QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto matches = literal.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            QString text = matches.next().captured(1);
            text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            if (HasChinese(text) && !texts.contains(text))
                texts << text;
        }
    }
    return texts;
}

// Texts that read the same in both languages, or are no text a user reads.
const QStringList kSameInBothLanguages{QStringLiteral("语言 / Language"), QStringLiteral("中文"),
                                       QStringLiteral("?subject=关于")};

void Choose(TfrmMain& window, const char* action)
{
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QString StartButton(const TfrmMain& window)
{
    return window.findChild<QPushButton*>(QStringLiteral("BtnPercent"))->text();
}

// The line under the effect preview once the result in the current language is in.
QString SettledEffectLine(TFolderWindow& window)
{
    const auto line = [&] { return window.Get<QLabel>("LblEffect")->text(); };
    const bool settled = WaitUntil([&] {
        return !window.Window.EffectPreview()->Busy() && !line().isEmpty() &&
               !line().endsWith(Window::tr("（更新中…）"));
    });
    return settled ? line() : QString();
}

// Something the window draws or composes itself rather than a widget's fixed text.
struct TComposedCase {
    const char* Name;
    std::function<void(TFolderWindow&)> Prepare;
    std::function<QVariant(TFolderWindow&)> Shown;  // a text, or a picture's bytes
};

QByteArray Bytes(const QImage& picture)
{
    return {reinterpret_cast<const char*>(picture.constBits()), static_cast<qsizetype>(picture.sizeInBytes())};
}

std::vector<TComposedCase> ComposedCases()
{
    return {
        {"the effect preview's failure reason",
         [](TFolderWindow& window) {
             ShowFilledPage(window, PageCases()[0]);
             window.Fill("lbEdtRWidth", "");
             window.Get<QRadioButton>("RbEffect")->click();
         },
         [](TFolderWindow& window) { return QVariant(SettledEffectLine(window)); }},
        {"the watermark page's legend",
         [](TFolderWindow& window) { window.Get<QTabWidget>("PageControl1")->setCurrentIndex(6); },
         [](TFolderWindow& window) { return QVariant(Bytes(window.Get<QLabel>("ImgPoint")->pixmap().toImage())); }},
        {"the file list's type of a folder",
         [](TFolderWindow& window) {
             std::filesystem::create_directory(window.Source.File("sub"));
             window.Get<QCheckBox>("ChkSubFolder")->click();
         },
         [](TFolderWindow& window) {
             QAbstractItemModel* list = window.Window.Browser()->List()->model();
             return list->data(list->index(0, 2));
         }},
    };
}

}  // namespace

class LanguageSwitchTest : public QObject {
    Q_OBJECT

private slots:
    void everyWindowTextHasAnEnglishTranslation()
    {
        TfrmMain window;
        window.ChooseLanguage(TLanguage::lgEnglish);
        QStringList missing;
        QStringList texts = WindowSourceLiterals() + WindowTexts(&window);
        QVERIFY(texts.size() > 100);
        for (const QString& chinese : texts) {
            const QString english = WindowText(chinese);
            if (!kSameInBothLanguages.contains(chinese) && (english == chinese || HasChinese(english)))
                missing << chinese;
        }
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("no English for: ") + missing.join(QStringLiteral(" | "))));
        window.ChooseLanguage(TLanguage::lgChinese);
    }

    void switchingChangesTheVisibleTextsAtOnceAndBack()
    {
        TfrmMain window;
        TFakeDialogs dialogs;
        window.SetDialogs(&dialogs);
        window.show();
        const QStringList chinese = WindowTexts(&window);
        auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        QCOMPARE(StartButton(window), QStringLiteral("创建缩略图(&C)"));

        Choose(window, "mnuEnglish");
        QCOMPARE(window.Language(), TLanguage::lgEnglish);
        QCOMPARE(StartButton(window), QStringLiteral("&Create"));
        QCOMPARE(pages->tabText(0), QStringLiteral("Thumbnails by Percentage"));
        QVERIFY(window.Browser()->title().trimmed().startsWith(QStringLiteral("Source: ")));
        QVERIFY(window.findChild<QAction*>(QStringLiteral("mnuEnglish"))->isChecked());
        // No Chinese is left on any widget, menu or dialog of the window.
        for (const QString& text : ShownTexts(&window))
            QVERIFY2(!HasChinese(text) || kSameInBothLanguages.contains(text), qPrintable(text));
        // A message the window shows itself, and one of the engine's.
        window.findChild<QPushButton*>(QStringLiteral("BtnPercent"))->click();
        QVERIFY(!dialogs.Messages.empty());
        QVERIFY2(!HasChinese(dialogs.Messages.back().Text), qPrintable(dialogs.Messages.back().Text));

        Choose(window, "mnuChinese");
        QCOMPARE(StartButton(window), QStringLiteral("创建缩略图(&C)"));
        QCOMPARE(WindowTexts(&window), chinese);
        window.SetDialogs(nullptr);
    }

    // Switching redraws and recomposes at once, without a rebuild or a new run.
    void whatTheWindowComposesFollowsTheSwitch()
    {
        for (const TComposedCase& composed : ComposedCases()) {
            TFolderWindow window;
            composed.Prepare(window);
            const QVariant chinese = composed.Shown(window);
            QVERIFY2(chinese.isValid() && chinese != QVariant(QString()), composed.Name);
            window.Window.ChooseLanguage(TLanguage::lgEnglish);
            const QVariant english = composed.Shown(window);
            QVERIFY2(english != chinese, composed.Name);
            if (english.typeId() == QMetaType::QString)
                QVERIFY2(!english.toString().isEmpty() && !HasChinese(english.toString()),
                         qPrintable(composed.Name + QStringLiteral(": ") + english.toString()));
            window.Window.ChooseLanguage(TLanguage::lgChinese);
            QVERIFY2(composed.Shown(window) == chinese, composed.Name);
        }
    }

    // A text the window sets while English is shown goes back to its Chinese.
    void aTextSetInEnglishSwitchesBackToChinese()
    {
        const struct {
            const char* Radio;
            QString Chinese;
        } cases[] = {
            {"RbHOnly", QStringLiteral("当源文件高度已经小于缩略目标值时则不作处理")},
            {"RbWOnly", QStringLiteral("当源文件宽度已经小于缩略目标值时则不作处理")},
        };
        TfrmMain window;
        auto* skip = window.findChild<QCheckBox*>(QStringLiteral("ChkSkipSmaller"));
        for (const auto& entry : cases) {
            window.ChooseLanguage(TLanguage::lgEnglish);
            window.findChild<QRadioButton*>(QString::fromLatin1(entry.Radio))->click();
            QVERIFY2(!HasChinese(skip->text()), qPrintable(skip->text()));
            window.ChooseLanguage(TLanguage::lgChinese);
            QCOMPARE(skip->text(), entry.Chinese);
        }
    }

    void theChoiceIsStoredAndUsedAtTheNextStart()
    {
        TTestFolder folder;
        const std::filesystem::path file = folder.File("Quillane.ini");
        {
            TfrmMain window(nullptr, file);
            QCOMPARE(window.Language(), TLanguage::lgChinese);  // the tests run under the C locale
            Choose(window, "mnuEnglish");
        }
        std::ifstream in(file);
        const std::string ini((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        QVERIFY2(ini.find("Language=en") != std::string::npos, ini.c_str());
        TfrmMain again(nullptr, file);
        QCOMPARE(again.Language(), TLanguage::lgEnglish);
        QCOMPARE(StartButton(again), QStringLiteral("&Create"));
        Choose(again, "mnuChinese");
    }

    void resultLinesFollowTheLanguage()
    {
        TfrmMain window;
        window.ChooseLanguage(TLanguage::lgEnglish);
        window.Host().AppendResult(TJobPage::jpPercent, std::string("/p/a.jpg") + kThumbSucceeded);
        window.ChooseLanguage(TLanguage::lgChinese);
        window.Host().AppendResult(TJobPage::jpPercent, std::string("/p/a.jpg") + kThumbSucceeded);
        const QString box = window.Page(TJobPage::jpPercent)->ResultsBox()->toPlainText();
        QCOMPARE(box, QStringLiteral("/p/a.jpg: thumbnail created\n/p/a.jpg创建缩略图成功！"));
    }
};

QUILLANE_UI_TEST(LanguageSwitchTest);

}  // namespace quillane

#include "LanguageSwitchTest.moc"
