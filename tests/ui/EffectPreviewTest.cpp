// "效果预览": what the current page would write for the selected picture, computed in
// memory by the run's own routine off the window's thread; nothing is written.
#include "PageCases.h"

#include "ui/EffectPreview.h"

#include <QLabel>
#include <QRegularExpression>

#include <filesystem>

namespace quillane {

namespace fs = std::filesystem;

namespace {

QStringList Contents(const fs::path& folder)
{
    QStringList entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries << QString::fromStdString(entry.path().string()) + " " +
                       QString::number(entry.is_regular_file() ? entry.file_size() : 0);
    return entries;
}

// The line under the effect preview once a result that is not out of date is in.
QString SettledLine(TFolderWindow& window)
{
    const auto line = [&] { return window.Get<QLabel>("LblEffect")->text(); };
    const bool settled = WaitUntil(
        [&] { return !window.Window.EffectPreview()->Busy() && !line().isEmpty() && !line().contains("更新中"); });
    return settled ? line() : QString();
}

}  // namespace

class EffectPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void eachPageShowsTheSizesOfWhatARunWrites()
    {
        const QRegularExpression sizeLine(QStringLiteral("^(\\d+ × \\d+) 像素，(\\d+) 字节$"));
        for (const TPageCase& page : PageCases()) {
            TFolderWindow window;
            ShowFilledPage(window, page);
            window.Get<QRadioButton>("RbEffect")->click();
            const QRegularExpressionMatch line = sizeLine.match(SettledLine(window));
            if (!page.WrittenSize) {  // renaming writes no picture
                QVERIFY(!line.hasMatch());
                continue;
            }
            QVERIFY2(line.hasMatch(), page.StartButton);
            QCOMPARE(line.captured(1), QString::fromUtf8(page.WrittenSize));
            QVERIFY(fs::is_empty(window.Out.Path()));
            QCOMPARE(Contents(window.Source.Path()).size(), 1);

            QVERIFY(window.Run(page.StartButton));
            QCOMPARE(Contents(window.Out.Path()).size(), 1);
            QVERIFY(Contents(window.Out.Path()).first().endsWith(" " + line.captured(2)));
        }
    }

    void incompleteFieldsShowTheCheckText()
    {
        TFolderWindow window;
        ShowFilledPage(window, PageCases()[0]);
        window.Fill("lbEdtRWidth", "");
        window.Get<QRadioButton>("RbEffect")->click();
        const QString shown = SettledLine(window);
        QVERIFY(!window.Run("BtnPercent"));
        QCOMPARE(window.Dialogs.MessageTexts(), QStringList({shown}));
        QVERIFY(window.Get<QLabel>("ImgEffect")->pixmap().isNull());

        window.Fill("lbEdtRWidth", "5x");
        QCOMPARE(SettledLine(window), QStringLiteral("'5x' is not a valid integer value"));
    }

    void aChangeGreysTheResultUntilTheNewOneIsIn()
    {
        TFolderWindow window;
        // Large enough that the work takes a while: the window stays free meanwhile.
        WritePicture(window.Source.File("p0.png"), SolidPicture(3000, 2000, Qt::red));
        ShowFilledPage(window, PageCases()[0]);
        window.Fill("lbEdtRWidth", "10");
        window.Get<QRadioButton>("RbEffect")->click();
        QVERIFY(SettledLine(window).startsWith(QStringLiteral("300 × 200 ")));
        window.Fill("lbEdtRWidth", "100");
        auto* picture = window.Get<QLabel>("ImgEffect");
        QVERIFY(window.Get<QLabel>("LblEffect")->text().startsWith(QStringLiteral("300 × 200 ")));
        QVERIFY(window.Get<QLabel>("LblEffect")->text().contains(QStringLiteral("更新中")));
        QVERIFY(!picture->isEnabled());
        QVERIFY(WaitUntil([&] { return window.Window.EffectPreview()->Busy(); }, 5000));
        QVERIFY(SettledLine(window).startsWith(QStringLiteral("3000 × 2000 ")));
        QVERIFY(picture->isEnabled());
        // Fitted to the pane, its shape kept.
        const QSize shown = picture->pixmap().size();
        QVERIFY(shown.width() <= picture->width() && shown.height() <= picture->height());
        QVERIFY(qAbs(shown.width() * 2 - shown.height() * 3) <= 3);
    }
};

QUILLANE_UI_TEST(EffectPreviewTest);

}  // namespace quillane

#include "EffectPreviewTest.moc"
