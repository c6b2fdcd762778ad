// The results box tells why a line failed: the reason is the line's tooltip, and the
// status bar's text once the line is clicked. The lines themselves stay as they were.
#include "UiTestSupport.h"

#include "LockedFolder.h"
#include "ui/FrmMain.h"
#include "ui/OperationPage.h"
#include "ui/ResultReasons.h"

#include <QApplication>
#include <QBuffer>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillane {

namespace fs = std::filesystem;

namespace {

const QString kFailed = QStringLiteral("创建缩略图失败！");

std::string JpegBytes(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SolidPicture(width, height, Qt::darkGreen).save(&buffer, "JPG");
    return bytes.toStdString();
}

// The JPEG's frame header patched to claim another size; the data stays as it was.
std::string JpegClaiming(std::string jpeg, int width, int height)
{
    const std::size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos)
        return {};
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height & 0xff);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width & 0xff);
    return jpeg;
}

std::string ReadBytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

class FailureReasonsUiTest : public QObject {
    Q_OBJECT

private:
    struct TSetup {
        TfrmMain Window;
        TFakeDialogs Dialogs;
        TSetup(const fs::path& source, const fs::path& saveFolder)
        {
            Window.SetDialogs(&Dialogs);
            ShowFolder(Window, source);
            Field("lbEdtRWidth")->setText("50");
            Field("lbEdtRHeight")->setText("50");
            Field("lbEdtSavePath")->setText(QString::fromStdString(saveFolder.string()));
            Window.show();
        }
        ~TSetup() { Window.SetDialogs(nullptr); }
        QLineEdit* Field(const char* name) { return Window.findChild<QLineEdit*>(QString::fromUtf8(name)); }
        QPlainTextEdit* Memo1() { return Window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
        bool Run()
        {
            QSignalSpy finished(&Window, &TfrmMain::RunFinished);
            Window.findChild<QPushButton*>(QStringLiteral("BtnPercent"))->click();
            return finished.count() > 0 || finished.wait(60000);
        }
        // A point on the line that begins with `text`, in the box's viewport; (-1, -1) for none.
        QPoint PointOnLine(const QString& text)
        {
            QPlainTextEdit* box = Memo1();
            for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
                if (!block.text().startsWith(text))
                    continue;
                QTextCursor cursor(block);
                box->setTextCursor(cursor);
                box->ensureCursorVisible();
                return box->cursorRect(cursor).center() + QPoint(4, 0);
            }
            return {-1, -1};
        }
        // What hovering the line shows as its tooltip.
        QString Hover(const QString& text)
        {
            const QPoint point = PointOnLine(text);
            QWidget* viewport = Memo1()->viewport();
            QHelpEvent help(QEvent::ToolTip, point, viewport->mapToGlobal(point));
            QApplication::sendEvent(viewport, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        }
        // The status bar after a click on the line.
        QString Click(const QString& text)
        {
            Window.statusBar()->clearMessage();
            QTest::mouseClick(Memo1()->viewport(), Qt::LeftButton, {}, PointOnLine(text));
            return Window.statusBar()->currentMessage();
        }
    };

private slots:
    void eachFailureShowsItsOwnReasonOnItsLine()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("good.jpg"), SolidPicture(20, 20, Qt::red));
        const std::string jpeg = JpegBytes(64, 48);
        WriteBytes(source.File("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
        WriteBytes(source.File("notes.png"), "just some notes\n");
        WriteBytes(source.File("huge.jpg"), JpegClaiming(jpeg, 20000, 20000));
        WritePicture(source.File("kept.jpg"), SolidPicture(20, 20, Qt::red));
        WriteBytes(out.File("kept_s.jpg"), "old");
        TSetup setup(source.Path(), out.Path());
        setup.Dialogs.OverwriteAnswers = {{false, false}};  // No

        QVERIFY(setup.Run());

        const QString folder = source.QPath() + "/";
        const struct {
            const char* Name;
            QString Reason;
        } kCases[] = {
            {"cut.jpg", QStringLiteral("文件已损坏，无法解码")},
            {"notes.png", QStringLiteral("不是支持的图片格式")},
            {"huge.jpg", QStringLiteral("图片过大（超过 16384 × 16384 像素）")},
            {"kept.jpg", QStringLiteral("目标文件已存在，未覆盖")},
        };
        for (const auto& c : kCases) {
            const QString line = folder + c.Name + kFailed;
            QVERIFY2(setup.Memo1()->toPlainText().split('\n').contains(line), qPrintable(line));
            QCOMPARE(setup.Hover(line), c.Reason);
            QCOMPARE(setup.Click(line), c.Reason);
        }
        const QString good = folder + "good.jpg" + QStringLiteral("创建缩略图成功！");
        QVERIFY(setup.Memo1()->toPlainText().split('\n').contains(good));
        QCOMPARE(setup.Hover(good), QString());
        QCOMPARE(setup.Click(good), QString());
        QCOMPARE(ReadBytesOf(out.File("kept_s.jpg")), std::string("old"));

        // A new run starts with a clean slate: the old reasons go with the old lines.
        TTestFolder clean;
        WritePicture(clean.File("good.jpg"), SolidPicture(20, 20, Qt::red));
        WritePicture(clean.File("fine.jpg"), SolidPicture(20, 20, Qt::red));
        ShowFolder(setup.Window, clean.Path());
        QVERIFY(setup.Run());
        QCOMPARE(setup.Memo1()->document()->blockCount(), 2);
        auto* reasons = setup.Window.Page(TJobPage::jpPercent)->ResultReasons();
        for (int block = 0; block < setup.Memo1()->document()->blockCount(); ++block)
            QCOMPARE(reasons->ReasonOfBlock(block), QString());
    }

    void anOutputFolderThatCannotBeWrittenIsTheReason()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("a.jpg"), SolidPicture(20, 20, Qt::red));
        TSetup setup(source.Path(), out.Path());
        test::TLockedFolder lock(out.Path());
        if (!lock.Set(true))
            QSKIP("this file system cannot make a folder read-only for root");
        QVERIFY(setup.Run());
        lock.Set(false);

        const QString line = source.QPath() + "/a.jpg" + kFailed;
        QCOMPARE(setup.Memo1()->toPlainText().trimmed(), line);
        QVERIFY2(setup.Hover(line).startsWith(QStringLiteral("无法写入目标文件")), qPrintable(setup.Hover(line)));
    }

    void aNameWithALineBreakCarriesItsReasonOnBothOfItsLines()
    {
        TTestFolder source;
        TTestFolder out;
        WriteBytes(source.File("two\nlines.png"), "not a picture");
        TSetup setup(source.Path(), out.Path());
        QVERIFY(setup.Run());

        auto* reasons = setup.Window.Page(TJobPage::jpPercent)->ResultReasons();
        QCOMPARE(setup.Memo1()->document()->blockCount(), 2);
        QCOMPARE(reasons->ReasonOfBlock(0), QStringLiteral("不是支持的图片格式"));
        QCOMPARE(reasons->ReasonOfBlock(1), QStringLiteral("不是支持的图片格式"));
    }
};

QUILLANE_UI_TEST(FailureReasonsUiTest);

}  // namespace quillane

#include "FailureReasonsUiTest.moc"
