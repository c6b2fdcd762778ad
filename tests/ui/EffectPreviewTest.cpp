// "效果预览": what the current page would write for the selected picture, computed in
// memory by the run's own routine; nothing is written.
#include "PageTestWindow.h"

#include "ui/EffectPreview.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace quillane {

namespace fs = std::filesystem;

namespace {

// Every file and folder below `folder`, with its size.
QStringList Contents(const fs::path& folder)
{
    QStringList entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries << QString::fromStdString(entry.path().string()) +
                       (entry.is_regular_file() ? " " + QString::number(entry.file_size()) : QString());
    entries.sort();
    return entries;
}

struct TPreviewWindow : TPageWindow {
    TTestFolder Source;
    TTestFolder Out;
    TPreviewWindow()
    {
        WritePicture(Source.File("a.png"), SolidPicture(20, 10, Qt::red));
        ShowFolder(Window, Source.Path());
        Window.show();
    }
    void Fill(const char* field, const QString& text) { Get<QLineEdit>(field)->setText(text); }
    QString Line() const { return Get<QLabel>("LblEffect")->text(); }
    // Chooses "效果预览" and waits for a result that is not out of date.
    QString Preview()
    {
        Get<QRadioButton>("RbEffect")->click();
        return Settled();
    }
    QString Settled()
    {
        const bool settled = WaitUntil([&] {
            return !Window.EffectPreview()->Busy() && !Line().isEmpty() && !Line().contains(QStringLiteral("更新中"));
        });
        return settled ? Line() : QString();
    }
};

struct TPageCase {
    const char* Name;
    int Tab;
    std::function<void(TPreviewWindow&)> Fill;
    QString Size;  // of the written picture
};

}  // namespace

class EffectPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void eachPageShowsTheSizeOfWhatItWouldWrite()
    {
        const TPageCase kCases[] = {
            {"percent", 0, [](TPreviewWindow& w) { w.Fill("lbEdtRWidth", "50"); }, "10 × 5"},
            {"pixel, filled", 1,
             [](TPreviewWindow& w) {
                 w.Fill("lbEdtWidth", "12");
                 w.Fill("lbEdtHeight", "12");
                 w.Get<QRadioButton>("RbScale")->click();
             },
             "12 × 12"},
            {"single side", 2,
             [](TPreviewWindow& w) {
                 w.Get<QRadioButton>("RbWOnly")->click();
                 w.Fill("EdtWOnly", "8");
             },
             "8 × 4"},
            {"convert", 4, [](TPreviewWindow& w) { w.Get<QComboBox>("CmbD")->setCurrentIndex(1); }, "20 × 10"},
            {"crop", 5,
             [](TPreviewWindow& w) {
                 w.Fill("EdtW", "5");
                 w.Fill("EdtH", "4");
             },
             "5 × 4"},
            {"watermark", 6,
             [](TPreviewWindow& w) {
                 w.Fill("EdtWatermark", "Q");
                 w.Fill("EdtWatermarkX", "1");
                 w.Fill("EdtWatermarkY", "1");
             },
             "20 × 10"},
        };
        const QRegularExpression sizeLine(QStringLiteral("^(\\d+ × \\d+) 像素，(\\d+) 字节$"));
        for (const TPageCase& c : kCases) {
            TPreviewWindow window;
            window.Get<QTabWidget>("PageControl1")->setCurrentIndex(c.Tab);
            c.Fill(window);
            const QStringList before = Contents(window.Source.Path());
            const QRegularExpressionMatch line = sizeLine.match(window.Preview());
            QVERIFY2(line.hasMatch(), qPrintable(QString::fromUtf8(c.Name) + ": " + window.Line()));
            QCOMPARE(line.captured(1), c.Size);
            QCOMPARE(Contents(window.Source.Path()), before);  // nothing written

            // A run writes a file of exactly that size.
            const char* const starts[] = {"BtnPercent", "BtnPixel", "BtnWOrH",     "",
                                          "BtnConvert", "BtnCut",   "BtnWatermark"};
            const char* const saves[] = {"lbEdtSavePath",  "EdtSavePixel", "EdtWOrHPath",     "",
                                         "lbEdtSavePath2", "EdtCutSave",   "EdtWatermarkSave"};
            window.Fill(saves[c.Tab], window.Out.QPath());
            QVERIFY(window.Run(starts[c.Tab]));
            QStringList written;
            for (const auto& entry : fs::directory_iterator(window.Out.Path()))
                written << QString::number(entry.file_size());
            QCOMPARE(written, QStringList({line.captured(2)}));
        }
    }

    void incompleteFieldsShowTheCheckText()
    {
        TPreviewWindow window;
        window.Fill("lbEdtRWidth", "");
        window.Fill("lbEdtSavePath", window.Out.QPath());
        const QString shown = window.Preview();
        QVERIFY(!window.Run("BtnPercent"));
        QCOMPARE(window.Dialogs.MessageTexts().size(), 1);
        QCOMPARE(shown, window.Dialogs.MessageTexts().first());
        QVERIFY(window.Get<QLabel>("ImgEffect")->pixmap().isNull());

        // A field that is no number: the general error's text.
        window.Fill("lbEdtRWidth", "5x");
        QCOMPARE(window.Settled(), QStringLiteral("'5x' is not a valid integer value"));
    }

    void aChangeMarksTheShownResultOutOfDateUntilTheNewOne()
    {
        TPreviewWindow window;
        window.Fill("lbEdtRWidth", "50");
        QVERIFY(window.Preview().startsWith(QStringLiteral("10 × 5 ")));
        window.Fill("lbEdtRWidth", "200");
        QVERIFY(window.Line().startsWith(QStringLiteral("10 × 5 ")));
        QVERIFY(window.Line().contains(QStringLiteral("更新中")));
        QVERIFY(!window.Get<QLabel>("ImgEffect")->isEnabled());
        QVERIFY(window.Settled().startsWith(QStringLiteral("40 × 20 ")));
        QVERIFY(window.Get<QLabel>("ImgEffect")->isEnabled());
        QCOMPARE(window.Get<QLabel>("ImgEffect")->pixmap().size(), QSize(40, 20));
    }

    void theComputationRunsOffTheGuiThreadAndWritesNothing()
    {
        TPreviewWindow window;
        // Large enough that the work takes a while: the window stays free meanwhile.
        WritePicture(window.Source.File("a.png"), SolidPicture(3000, 2000, Qt::red));
        window.Get<QTabWidget>("PageControl1")->setCurrentIndex(6);
        window.Fill("EdtWatermark", "Q");
        window.Fill("EdtWatermarkX", "1");
        window.Fill("EdtWatermarkY", "1");
        window.Fill("EdtWatermarkSave", window.Out.QPath());
        window.Get<QRadioButton>("RbEffect")->click();
        // Once the delay is over the work is under way while the GUI thread is free.
        QVERIFY(WaitUntil([&] { return window.Window.EffectPreview()->Busy(); }, 5000));
        QVERIFY(window.Settled().startsWith(QStringLiteral("3000 × 2000 ")));
        QVERIFY(fs::is_empty(window.Out.Path()));
        QCOMPARE(Contents(window.Source.Path()).size(), 1);
    }
};

QUILLANE_UI_TEST(EffectPreviewTest);

}  // namespace quillane

#include "EffectPreviewTest.moc"
