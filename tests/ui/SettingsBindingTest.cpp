// Quillane.ini and the window: what a start restores, what a close writes back.
#include "PageTestWindow.h"

#include "ui/LegendPictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <sstream>

namespace quillane {

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->size();
}

// The stored fields, each given a value other than its initial one, by control name.
struct TStoredEdit {
    const char* Name;
    const char* Value;
};
const TStoredEdit kStoredEdits[] = {
    {"lbEdtRWidth", "40"},
    {"lbEdtRHeight", "60"},
    {"lbEdtPrefix", "_p"},
    {"lbEdtWidth", "120"},
    {"lbEdtHeight", "90"},
    {"EdtPrefixPixel", "_px"},
    {"EdtHOnly", "77"},
    {"EdtPrefixWOrH", "pre_"},
    {"EdtNewName", "holiday"},
    {"EdtLeft", "5"},
    {"EdtTop", "6"},
    {"EdtW", "70"},
    {"EdtH", "80"},
    {"EdtCutPrefix", "_cut"},
    {"EdtWatermark", "© 水印 text"},
    {"EdtWatermarkX", "12"},
    {"EdtWatermarkY", "34"},
    {"EdtWatermarkOpacity", "55"},
    {"EdtWatermarkPrefix", "w_"},
    {"lbEdtPrefix2", "_conv"},
};
const char* const kStoredBoxes[] = {"CmbXfixPercent",   "CmbXFixPixel", "CmbXFixWorH", "CmbXFixCut",
                                    "CmbXFixWatermark", "CmbOrigin",    "CmbXFix2"};

}  // namespace

class SettingsBindingTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutAFile()
    {
        if (ScreenSize().width() < 839 || ScreenSize().height() < 669)
            QSKIP("the screen is smaller than the first-start window");
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        {
            TPageWindow page(file);
            QCOMPARE(page.Window.size(), QSize(839, 669));
            QCOMPARE(page.Get<QTabWidget>("PageControl1")->currentIndex(), 0);
            QVERIFY(page.Get<QCheckBox>("ChkConstraint")->isChecked());
            for (const char* name : {"lbEdtPrefix", "EdtPrefixPixel", "EdtPrefixWOrH"})
                QCOMPARE(page.Get<QLineEdit>(name)->text(), QStringLiteral("_s"));
            QCOMPARE(page.Get<QLineEdit>("EdtCutPrefix")->text(), QStringLiteral("_c"));
            QCOMPARE(page.Get<QLineEdit>("EdtWatermarkPrefix")->text(), QStringLiteral("_w"));
            QCOMPARE(page.Get<QLineEdit>("EdtWatermarkOpacity")->text(), QStringLiteral("100"));
            QCOMPARE(page.Get<QLineEdit>("EdtLeft")->text() + page.Get<QLineEdit>("EdtTop")->text() + "/" +
                         page.Get<QLineEdit>("EdtW")->text() + "/" + page.Get<QLineEdit>("EdtH")->text(),
                     QStringLiteral("00/100/100"));
            QVERIFY(page.Get<QRadioButton>("RbText")->isChecked());
            QCOMPARE(page.Get<QLineEdit>("EdtWatermarkFont")->text(), QStringLiteral("MS Sans Serif [8]"));
            QVERIFY(!fs::exists(file));
            page.Window.close();
        }
        // The first close creates the file, its sections in the save order.
        const std::string text = ReadText(file);
        size_t at = 0;
        for (const char* section : {"[Form]", "[Page]", "[Percent]", "[Pixel]", "[WOrH]", "[Rename]", "[Watermark]",
                                    "[Crop]", "[TypeChange]"}) {
            const size_t found = text.find(section, at);
            QVERIFY2(found != std::string::npos, section);
            at = found;
        }
        QVERIFY(text.find("width=839") != std::string::npos);
        QVERIFY(text.find("FontName=MS Sans Serif") != std::string::npos);
    }

    void storedSizeFittedToTheScreen()
    {
        const QSize screen = ScreenSize();
        struct TCase {
            int Width, Height;
            QSize Expected;
        };
        const TCase cases[] = {
            {5, 500, {screen.width(), 500}},
            {10000, 500, {screen.width(), 500}},
            {700, screen.height() + 10, {700, screen.height() + 10}},
            {700, screen.height() + 11, {700, screen.height()}},
            {700, 9, {700, screen.height()}},
        };
        for (const TCase& test : cases) {
            TTestFolder folder;
            WriteBytes(folder.File("Quillane.ini"), "[Form]\nwidth=" + std::to_string(test.Width) +
                                                        "\nHeight=" + std::to_string(test.Height) + "\n");
            TPageWindow page(folder.File("Quillane.ini"));
            QCOMPARE(page.Window.size(), test.Expected);
        }
    }

    void maximisedCloseKeepsTheStoredSize()
    {
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        WriteBytes(file, "[Form]\nwidth=700\nHeight=500\n");
        {
            TPageWindow page(file);
            page.Window.showMaximized();
            QVERIFY(QTest::qWaitForWindowExposed(&page.Window));
            QVERIFY(page.Window.isMaximized());
            page.Window.close();
        }
        QVERIFY(ReadText(file).find("width=700\nHeight=500\n") != std::string::npos);
        {
            TPageWindow page(file);
            page.Window.resize(720, 520);
            page.Window.close();
        }
        QVERIFY(ReadText(file).find("width=720\nHeight=520\n") != std::string::npos);
    }

    void sideOfTheSingleSidePage()
    {
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        WriteBytes(file, "[WOrH]\nRB=0\nWidth=300\nHeight=200\n");
        {
            TPageWindow page(file);
            QVERIFY(!page.Get<QRadioButton>("RbWOnly")->isChecked());
            QVERIFY(!page.Get<QRadioButton>("RbHOnly")->isChecked());
            QVERIFY(page.Get<QLineEdit>("EdtWOnly")->text().isEmpty());
            QVERIFY(page.Get<QLineEdit>("EdtHOnly")->text().isEmpty());
            page.Window.close();
        }
        // Neither side's field is written while no side is chosen.
        const std::string text = ReadText(file);
        QVERIFY(text.find("RB=0") != std::string::npos);
        QVERIFY(text.find("Width=300") != std::string::npos);
        QVERIFY(text.find("Height=200") != std::string::npos);

        WriteBytes(file, "[WOrH]\nRB=2\nWidth=300\nHeight=200\n");
        TPageWindow page(file);
        QWidget* sidePage = page.Window.Page(TJobPage::jpWOrH);
        QVERIFY(page.Get<QRadioButton>("RbHOnly")->isChecked());
        QCOMPARE(page.Get<QLineEdit>("EdtHOnly")->text(), QStringLiteral("200"));
        QVERIFY(page.Get<QLineEdit>("EdtWOnly")->text().isEmpty());
        QVERIFY(!page.Get<QLineEdit>("EdtWOnly")->isVisibleTo(sidePage));
        QCOMPARE(page.Get<QCheckBox>("ChkSkipSmaller")->text(),
                 QStringLiteral("当源文件高度已经小于缩略目标值时则不作处理"));
    }

    void namesInOtherLetterCasesAndLooseValues()
    {
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        WriteBytes(file,
                   "[page]\nactivepage=0x5\n"
                   "[percent]\npconstraint=0\nPWIDTH=40\npheight=60\n"
                   "[PIXEL]\nrb=1\n"
                   "[rename]\nnumberprefix=0\nRandomPrefix=7\n"
                   "[WATERMARK]\nCmbOrigin=5\nRbText=0\nfontsize=abc\ncmbxfixwatermark=-1\n");
        TPageWindow page(file);
        QCOMPARE(page.Get<QTabWidget>("PageControl1")->currentIndex(), 5);
        QVERIFY(!page.Get<QCheckBox>("ChkConstraint")->isChecked());
        QVERIFY(page.Get<QLabel>("Image2")->isHidden());
        QCOMPARE(page.Get<QLineEdit>("lbEdtRWidth")->text(), QStringLiteral("40"));
        QCOMPARE(page.Get<QLineEdit>("lbEdtRHeight")->text(), QStringLiteral("60"));
        QVERIFY(page.Get<QRadioButton>("RbScale")->isChecked());
        QVERIFY(!page.Get<QPushButton>("pnlBgColor")->isHidden());
        QVERIFY(page.Get<QRadioButton>("RbRenameRandom")->isChecked());
        QVERIFY(!page.Get<QRadioButton>("RbRenameNumber")->isChecked());
        QCOMPARE(page.Get<QComboBox>("CmbOrigin")->currentIndex(), 1);
        QCOMPARE(page.Get<QLabel>("ImgPoint")->pixmap().toImage(), OriginLegend(1).toImage());
        QVERIFY(page.Get<QRadioButton>("RbImgWatermark")->isChecked());
        QVERIFY(page.Get<QLineEdit>("EdtWatermarkPic")->isVisibleTo(page.Window.Page(TJobPage::jpWatermark)));
        QCOMPARE(page.Get<QLineEdit>("EdtWatermarkFont")->text(), QStringLiteral("MS Sans Serif [8]"));
        QCOMPARE(page.Get<QComboBox>("CmbXFixWatermark")->currentIndex(), 1);
    }

    void aRestartShowsEveryStoredFieldAsItWas()
    {
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        {
            TPageWindow page(file);
            page.Get<QCheckBox>("ChkConstraint")->setChecked(false);
            for (const TStoredEdit& edit : kStoredEdits)
                page.Get<QLineEdit>(edit.Name)->setText(QString::fromUtf8(edit.Value));
            for (const char* box : kStoredBoxes)
                page.Get<QComboBox>(box)->setCurrentIndex(1);
            for (const char* radio : {"RbScaleCut", "RbHOnly", "RbRenameRandom", "RbImgWatermark"})
                page.Get<QRadioButton>(radio)->click();
            page.Get<QCheckBox>("ChkSkipSmaller")->setChecked(true);
            QFont font(QStringLiteral("Noto Serif"));
            font.setPointSize(14);
            font.setItalic(true);
            font.setUnderline(true);
            font.setStrikeOut(true);
            page.Dialogs.FontToChoose = TFontChoice{font, QColor(200, 100, 50)};
            page.Get<QToolButton>("BtnWatermarkFont")->click();
            page.Get<QTabWidget>("PageControl1")->setCurrentIndex(3);
            page.Window.close();
            QVERIFY(page.Dialogs.Errors.empty());
        }
        TPageWindow page(file);
        QVERIFY(!page.Get<QCheckBox>("ChkConstraint")->isChecked());
        for (const TStoredEdit& edit : kStoredEdits)
            QVERIFY2(page.Get<QLineEdit>(edit.Name)->text() == QString::fromUtf8(edit.Value), edit.Name);
        for (const char* box : kStoredBoxes)
            QVERIFY2(page.Get<QComboBox>(box)->currentIndex() == 1, box);
        for (const char* radio : {"RbScaleCut", "RbHOnly", "RbRenameRandom", "RbImgWatermark"})
            QVERIFY2(page.Get<QRadioButton>(radio)->isChecked(), radio);
        QVERIFY(page.Get<QCheckBox>("ChkSkipSmaller")->isChecked());
        QCOMPARE(page.Get<QTabWidget>("PageControl1")->currentIndex(), 3);
        auto* fontField = page.Get<QLineEdit>("EdtWatermarkFont");
        QCOMPARE(fontField->text(), QStringLiteral("Noto Serif [14]"));
        QVERIFY(fontField->font().italic() && fontField->font().underline() && fontField->font().strikeOut());
        QVERIFY(!fontField->font().bold());
        QCOMPARE(fontField->palette().color(QPalette::Text), QColor(200, 100, 50));
        // Stored as the font dialog's colour value: red in the low byte.
        QVERIFY(ReadText(file).find("FontColor=" + std::to_string(200 + 100 * 256 + 50 * 65536)) != std::string::npos);
    }

    void anUnwritableFileIsReported()
    {
        TTestFolder folder;
        const fs::path file = folder.File("Quillane.ini");
        fs::create_directory(file);  // a folder where the file should be
        TPageWindow page(file);
        page.Window.close();
        QCOMPARE(page.Dialogs.Errors,
                 std::vector<QString>({QStringLiteral("Unable to write to ") + QString::fromStdString(file.string())}));
    }

    void aMissingSettingsFolderIsCreatedOnClose()
    {
        TTestFolder folder;
        const fs::path file = folder.File("config/Quillane/Quillane.ini");
        {
            TPageWindow page(file);
            page.Get<QLineEdit>("EdtNewName")->setText("kept");
            page.Window.close();
            QVERIFY(page.Dialogs.Errors.empty());
        }
        TPageWindow page(file);
        QCOMPARE(page.Get<QLineEdit>("EdtNewName")->text(), QStringLiteral("kept"));
    }
};

QUILLANE_UI_TEST(SettingsBindingTest);

}  // namespace quillane

#include "SettingsBindingTest.moc"
