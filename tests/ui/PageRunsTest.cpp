// Every start button from its page through the engine: files written, result lines,
// closing message.
#include "PageTestWindow.h"

#include "ui/SourceBrowser.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <filesystem>

namespace quillane {

namespace fs = std::filesystem;

class PageRunsTest : public QObject {
    Q_OBJECT

private:
    // A source folder holding a.png (20 x 10), and an empty output folder.
    struct TRun : TPageWindow {
        TTestFolder Source;
        TTestFolder Out;
        TRun()
        {
            WritePicture(Source.File("a.png"), SolidPicture(20, 10, Qt::red));
            ShowFolder(Window, Source.Path());
        }
        void Fill(const char* field, const QString& text) { Get<QLineEdit>(field)->setText(text); }
        QStringList Lines(const char* resultsBox)
        {
            return Get<QPlainTextEdit>(resultsBox)->toPlainText().split('\n', Qt::SkipEmptyParts);
        }
        QString SourceLine(const char* text) const { return Source.QPath() + "/a.png" + QString::fromUtf8(text); }
    };

private slots:
    void percentPage()
    {
        TRun run;
        run.Fill("lbEdtRWidth", "50");
        run.Fill("lbEdtSavePath", run.Out.QPath());
        QVERIFY(run.Run("BtnPercent"));
        QCOMPARE(run.Lines("Memo1"), QStringList({run.SourceLine("创建缩略图成功！")}));
        QCOMPARE(StoredSize(run.Out.File("a_s.png")), QSize(10, 5));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void pixelPageFillsWithItsColour()
    {
        TRun run;
        run.Fill("lbEdtWidth", "10");
        run.Fill("lbEdtHeight", "10");
        run.Get<QRadioButton>("RbScale")->click();
        run.Dialogs.ColourToChoose = QColor(0, 0, 255);
        run.Get<QAbstractButton>("pnlBgColor")->click();
        run.Fill("EdtSavePixel", run.Out.QPath());
        QVERIFY(run.Run("BtnPixel"));
        QCOMPARE(run.Lines("MmPixel"), QStringList({run.SourceLine("创建缩略图成功！")}));
        QImage result(QString::fromStdString(run.Out.File("a_s.png").string()));
        QCOMPARE(result.size(), QSize(10, 10));
        const QColor fill = result.pixelColor(5, 0);  // above the picture
        QVERIFY2(fill.blue() > 240 && fill.red() < 16 && fill.green() < 16, qPrintable(fill.name()));
        const QColor picture = result.pixelColor(5, 5);
        QVERIFY2(picture.red() > 200 && picture.blue() < 64, qPrintable(picture.name()));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void singleSidePage()
    {
        TRun run;
        QVERIFY(!run.Run("BtnWOrH"));  // no side chosen yet
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"请选择创建缩略图的方式！"}));
        run.Dialogs.Messages.clear();
        run.Get<QRadioButton>("RbWOnly")->click();
        run.Fill("EdtWOnly", "8");
        run.Fill("EdtWOrHPath", run.Out.QPath());
        QVERIFY(run.Run("BtnWOrH"));
        QCOMPARE(run.Lines("MmWORH"), QStringList({run.SourceLine("创建缩略图成功。")}));
        QCOMPARE(StoredSize(run.Out.File("a_s.png")), QSize(8, 4));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void renamePage()
    {
        TRun run;
        WritePicture(run.Source.File("b.png"), SolidPicture(4, 4, Qt::green));
        run.Window.Browser()->RebuildList();
        run.Fill("EdtNewName", "trip");
        QVERIFY(run.Run("BtnRename"));
        QCOMPARE(run.Lines("Memo3"),
                 QStringList({run.SourceLine("重命名成功！"), run.Source.QPath() + "/b.png" + "重命名成功！"}));
        QVERIFY(fs::exists(run.Source.File("trip0.png")));
        QVERIFY(fs::exists(run.Source.File("trip1.png")));
        QVERIFY(!fs::exists(run.Source.File("a.png")));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void convertPage()
    {
        TRun run;
        run.Get<QComboBox>("CmbD")->setCurrentIndex(1);  // "Bmp位图文件(*.bmp)"
        run.Fill("lbEdtSavePath2", run.Out.QPath());
        run.Fill("lbEdtPrefix2", "_b");
        QVERIFY(run.Run("BtnConvert"));
        QCOMPARE(run.Lines("Memo2"), QStringList({run.SourceLine("类型转换成功！")}));
        QCOMPARE(StoredSize(run.Out.File("a_b.bmp")), QSize(20, 10));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void cropPage()
    {
        TRun run;
        run.Fill("EdtLeft", "2");
        run.Fill("EdtW", "5");
        run.Fill("EdtH", "4");
        run.Fill("EdtCutSave", run.Out.QPath());
        QVERIFY(run.Run("BtnCut"));
        QCOMPARE(run.Lines("Memo4"), QStringList({run.SourceLine("剪裁完成！")}));
        QCOMPARE(StoredSize(run.Out.File("a_c.png")), QSize(5, 4));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"处理完成！"}));
    }

    void watermarkPage()
    {
        TRun run;
        run.Fill("EdtWatermark", "Q");
        run.Fill("EdtWatermarkX", "1");
        run.Fill("EdtWatermarkY", "1");
        run.Fill("EdtWatermarkSave", run.Out.QPath());
        QVERIFY(run.Run("BtnWatermark"));
        QCOMPARE(run.Lines("MmWatermark"), QStringList({run.SourceLine("增加水印标签完成！")}));
        QCOMPARE(StoredSize(run.Out.File("a_w.png")), QSize(20, 10));
        QCOMPARE(run.Dialogs.MessageTexts(), QStringList({"水印添加完成！"}));

        // A picture mark chosen through the file dialog.
        run.Get<QRadioButton>("RbImgWatermark")->click();
        WritePicture(run.Out.File("mark.png"), SolidPicture(3, 3, Qt::yellow));
        run.Dialogs.PictureToChoose = run.Out.QPath() + "/mark.png";
        run.Get<QAbstractButton>("BtnWatermarkPicPath")->click();
        run.Fill("EdtWatermarkPrefix", "_p");
        run.Dialogs.Messages.clear();
        QVERIFY(run.Run("BtnWatermark"));
        QCOMPARE(run.Lines("MmWatermark"), QStringList({run.SourceLine("增加水印标签完成！")}));
        const QImage marked(QString::fromStdString(run.Out.File("a_p.png").string()));
        QCOMPARE(marked.pixelColor(18, 8), QColor(Qt::yellow));  // 1 pixel in from the bottom-right
        QCOMPARE(marked.pixelColor(2, 2), QColor(Qt::red));
    }
};

QUILLANE_UI_TEST(PageRunsTest);

}  // namespace quillane

#include "PageRunsTest.moc"
