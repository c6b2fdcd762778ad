// The fields of the seven operation pages: initial contents, the digit filter, and the
// rules that tie fields together.
#include "PageTestWindow.h"

#include "ui/LegendPictures.h"
#include "ui/PixelPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace quillane {

namespace {

// The caption shown for `field`: the label that names it as its buddy.
QString CaptionOf(const TfrmMain& window, const QWidget* field)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->buddy() == field)
            return label->text();
    }
    return QStringLiteral("<none>");
}

int YellowPixels(const QImage& picture, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            count += colour.red() > 200 && colour.green() > 200 && colour.blue() < 80;
        }
    }
    return count;
}

}  // namespace

class PageFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void editsStartWithTheirCaptionsTextsAndLimits()
    {
        TPageWindow page;
        struct TEdit {
            const char* Name;
            const char* Caption;
            const char* Text;
            int MaxLength;  // 0: no limit
        };
        const TEdit edits[] = {
            {"lbEdtRWidth", "宽％ ", "", 3},
            {"lbEdtRHeight", "高％ ", "", 3},
            {"lbEdtSavePath", "缩略图存放路径：   ", "", 0},
            {"lbEdtPrefix", nullptr, "_s", 0},
            {"lbEdtWidth", "宽", "", 3},
            {"lbEdtHeight", "高", "", 3},
            {"EdtSavePixel", "缩略图存放路径：   ", "", 0},
            {"EdtPrefixPixel", nullptr, "_s", 0},
            {"EdtWOnly", nullptr, "", 0},
            {"EdtHOnly", nullptr, "", 0},
            {"EdtWOrHPath", "缩略图存放路径：   ", "", 0},
            {"EdtPrefixWOrH", nullptr, "_s", 0},
            {"EdtNewName", "新文件名前缀：", "", 0},
            {"lbEdtSavePath2", "新文件存放路径：   ", "", 0},
            {"lbEdtPrefix2", nullptr, "", 0},
            {"EdtLeft", "剪裁左起点：", "0", 3},
            {"EdtTop", "剪裁顶起点：", "0", 3},
            {"EdtW", "新图宽：", "100", 4},
            {"EdtH", "新图高：", "100", 4},
            {"EdtCutSave", "剪切图存放路径：   ", "", 0},
            {"EdtCutPrefix", nullptr, "_c", 0},
            {"EdtWatermarkX", "标签X值：", "", 0},
            {"EdtWatermarkY", "Y值：", "", 0},
            {"EdtWatermarkOpacity", "不透明度%   ", "100", 3},
            {"EdtWatermark", "水印标签：", "", 0},
            {"EdtWatermarkPic", "水印图片：", "", 0},
            {"EdtWatermarkFont", "标签字体：", "MS Sans Serif [8]", 0},
            {"EdtWatermarkSave", "新图存放路径：   ", "", 0},
            {"EdtWatermarkPrefix", nullptr, "_w", 0},
            {"EdtMinWidth", "图片宽度小于：", "0", 0},
        };
        for (const TEdit& edit : edits) {
            auto* field = page.Get<QLineEdit>(edit.Name);
            QVERIFY2(field->text() == QString::fromUtf8(edit.Text), edit.Name);
            QVERIFY2(field->maxLength() == (edit.MaxLength ? edit.MaxLength : 32767), edit.Name);
            if (edit.Caption)
                QVERIFY2(CaptionOf(page.Window, field) == QString::fromUtf8(edit.Caption), edit.Name);
        }
        QVERIFY(page.Get<QLineEdit>("EdtWatermarkFont")->isReadOnly());
        QVERIFY(page.Get<QLineEdit>("EdtWatermarkPic")->isReadOnly());
    }

    void choicesStartAsTheWindowIsDesigned()
    {
        TPageWindow page;
        for (const char* name : {"ChkConstraint", "Rb1X", "Rb2X", "Rb3X", "RbNoScale", "RbRenameNumber", "RbText"})
            QVERIFY2(page.Get<QAbstractButton>(name)->isChecked(), name);
        for (const char* name : {"Rb1", "Rb2", "Rb3", "RbScale", "RbScaleCut", "RbWOnly", "RbHOnly", "ChkSkipSmaller",
                                 "RbRenameRandom", "RbImgWatermark"})
            QVERIFY2(!page.Get<QAbstractButton>(name)->isChecked(), name);
        QCOMPARE(page.Get<QAbstractButton>("RbScale")->text(),
                 QStringLiteral("按宽高创建缩略图时保持原图比例（自动填充）"));
        QCOMPARE(page.Get<QAbstractButton>("RbRenameNumber")->text(), QStringLiteral("自动增加数字序号1、2、3..."));
        QCOMPARE(page.Get<QAbstractButton>("RbRenameRandom")->text(), QStringLiteral("增加随机产生三位字符"));
        for (const char* name :
             {"CmbXfixPercent", "CmbXFixPixel", "CmbXFixWorH", "CmbXFix2", "CmbXFixCut", "CmbXFixWatermark"}) {
            auto* box = page.Get<QComboBox>(name);
            QVERIFY2(box->count() == 2 && box->itemText(0) == "后缀" && box->itemText(1) == "前缀", name);
            QVERIFY2(box->currentIndex() == 0, name);
        }
        auto* types = page.Get<QComboBox>("CmbD");
        QCOMPARE(types->count(), 9);
        QCOMPARE(types->itemText(0), QStringLiteral("JPG格式文件(*.jpg)"));
        QCOMPARE(types->itemText(4), QStringLiteral("TIF格式文件(*.tif)"));
        QCOMPARE(types->itemText(5), QStringLiteral("WebP格式文件(*.webp)"));
        QCOMPARE(types->itemText(8), QStringLiteral("JPEG XL格式文件(*.jxl)"));
        QCOMPARE(types->currentIndex(), 0);
        auto* origin = page.Get<QComboBox>("CmbOrigin");
        QCOMPARE(origin->itemText(0), QStringLiteral("右底点"));
        QCOMPARE(origin->itemText(1), QStringLiteral("左顶点"));
    }

    void digitFieldsTakeTypedDigitsOnly()
    {
        TPageWindow page;
        auto* width = page.Get<QLineEdit>("lbEdtRWidth");
        QTest::keyClicks(width, "1a-2.5");
        QCOMPARE(width->text(), QStringLiteral("125"));
        QTest::keyClick(width, Qt::Key_Backspace);
        QCOMPARE(width->text(), QStringLiteral("12"));

        for (const char* name : {"EdtWOnly", "EdtHOnly", "EdtWatermarkX", "EdtWatermarkY", "EdtMinWidth"}) {
            auto* field = page.Get<QLineEdit>(name);
            field->clear();
            QTest::keyClicks(field, "12 a3,4+5x678");
            QVERIFY2(field->text() == "12345678", name);  // no length limit
        }
        for (const char* name :
             {"lbEdtWidth", "lbEdtHeight", "EdtLeft", "EdtTop", "EdtW", "EdtH", "EdtWatermarkOpacity"}) {
            auto* field = page.Get<QLineEdit>(name);
            field->clear();
            QTest::keyClicks(field, "9x87654");
            QVERIFY2(field->text() == QStringLiteral("98765").left(field->maxLength()), name);
        }
        // Free-text fields are not filtered.
        auto* prefix = page.Get<QLineEdit>("lbEdtPrefix");
        prefix->clear();
        QTest::keyClicks(prefix, "a-1.b");
        QCOMPARE(prefix->text(), QStringLiteral("a-1.b"));
    }

    void pastedTextReachesTheJobsConversionError()
    {
        TTestFolder source;
        TTestFolder out;
        WritePicture(source.File("a.png"), SolidPicture(8, 8, Qt::red));
        TPageWindow page;
        ShowFolder(page.Window, source.Path());
        page.Get<QLineEdit>("lbEdtWidth")->setText("5");
        page.Get<QLineEdit>("EdtSavePixel")->setText(out.QPath());
        auto* height = page.Get<QLineEdit>("lbEdtHeight");
        QGuiApplication::clipboard()->setText(QStringLiteral("7x"));
        height->paste();
        if (height->text() != "7x")
            height->insert(QStringLiteral("7x"));  // a platform without a clipboard
        QCOMPARE(height->text(), QStringLiteral("7x"));
        QVERIFY(!page.Run("BtnPixel"));
        QCOMPARE(page.Dialogs.Errors, std::vector<QString>({"'7x' is not a valid integer value"}));
    }

    void constraintMirrorsAndSwitches()
    {
        TPageWindow page;
        auto* width = page.Get<QLineEdit>("lbEdtRWidth");
        auto* height = page.Get<QLineEdit>("lbEdtRHeight");
        auto* constraint = page.Get<QCheckBox>("ChkConstraint");
        auto* link = page.Get<QLabel>("Image2");
        QTest::keyClicks(height, "50");
        QCOMPARE(width->text(), QStringLiteral("50"));
        QTest::keyClicks(width, "0");
        QCOMPARE(height->text(), QStringLiteral("500"));
        QVERIFY(!link->isHidden());

        constraint->click();
        QVERIFY(link->isHidden());
        width->setText("50");
        height->setText("80");
        QCOMPARE(width->text(), QStringLiteral("50"));

        constraint->click();
        QVERIFY(!link->isHidden());
        QCOMPARE(width->text(), QStringLiteral("50"));
        QCOMPARE(height->text(), QStringLiteral("50"));
    }

    void cropButtonFollowsTheSize()
    {
        TPageWindow page;
        auto* cut = page.Get<QPushButton>("BtnCut");
        auto* width = page.Get<QLineEdit>("EdtW");
        auto* height = page.Get<QLineEdit>("EdtH");
        QVERIFY(cut->isEnabled());
        width->clear();
        QVERIFY(!cut->isEnabled());
        width->setText("100");
        QVERIFY(cut->isEnabled());
        height->setText("0");
        QVERIFY(!cut->isEnabled());
        height->setText("1");
        QVERIFY(cut->isEnabled());
        QVERIFY(page.Dialogs.Errors.empty());

        // Pasted text that is no number: the conversion error, and the button as it was.
        height->setText("1a");
        QCOMPARE(page.Dialogs.Errors, std::vector<QString>({"'1a' is not a valid integer value"}));
        QVERIFY(cut->isEnabled());
        height->setText("00");
        QVERIFY(!cut->isEnabled());
        height->setText("x");
        QVERIFY(!cut->isEnabled());
        QCOMPARE(page.Dialogs.Errors.size(), size_t(2));
    }

    void sideChoiceShowsOneFieldAndNamesItsSide()
    {
        TPageWindow page;
        auto* pageWidget = page.Window.Page(TJobPage::jpWOrH);
        auto* widthField = page.Get<QLineEdit>("EdtWOnly");
        auto* heightField = page.Get<QLineEdit>("EdtHOnly");
        auto* skip = page.Get<QCheckBox>("ChkSkipSmaller");
        const QString widthForm = QStringLiteral("当源文件宽度已经小于缩略目标值时则不作处理");
        const QString heightForm = QStringLiteral("当源文件高度已经小于缩略目标值时则不作处理");
        QVERIFY(widthField->isVisibleTo(pageWidget) && heightField->isVisibleTo(pageWidget));
        QCOMPARE(skip->text(), widthForm);

        // Not the active window: no focus moves.
        page.Get<QRadioButton>("RbHOnly")->click();
        QVERIFY(!widthField->isVisibleTo(pageWidget));
        QVERIFY(heightField->isVisibleTo(pageWidget));
        QCOMPARE(skip->text(), heightForm);
        QVERIFY(!heightField->hasFocus());

        page.Window.show();
        page.Window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page.Window));
        page.Window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        page.Get<QRadioButton>("RbWOnly")->click();
        QVERIFY(widthField->isVisibleTo(pageWidget));
        QVERIFY(!heightField->isVisibleTo(pageWidget));
        QCOMPARE(skip->text(), widthForm);
        QCOMPARE(QApplication::focusWidget(), widthField);
    }

    void fillColourBoxOnlyWhileFitting()
    {
        TPageWindow page;
        auto* box = page.Get<QPushButton>("pnlBgColor");
        QVERIFY(box->isHidden());
        QCOMPARE(box->toolTip(), QStringLiteral("请选择填充背景色"));
        page.Get<QRadioButton>("RbScale")->click();
        QVERIFY(!box->isHidden());
        page.Get<QRadioButton>("RbScaleCut")->click();
        QVERIFY(box->isHidden());
        page.Get<QRadioButton>("RbScale")->click();

        auto* pixelPage = static_cast<TPixelPage*>(page.Window.Page(TJobPage::jpPixel));
        QCOMPARE(pixelPage->BackColour(), QColor(Qt::white));
        page.Dialogs.ColourToChoose = QColor(10, 20, 30);
        box->click();
        QCOMPARE(pixelPage->BackColour(), QColor(10, 20, 30));
        QCOMPARE(pixelPage->Fields().BackColourRgb, 0x0A141Eu);
        page.Dialogs.ColourToChoose.reset();  // Cancel
        box->click();
        QCOMPARE(pixelPage->BackColour(), QColor(10, 20, 30));
        QCOMPARE(page.Dialogs.ColourDialogs, 2);
    }

    void watermarkKindSwapsTextAndPictureFields()
    {
        TPageWindow page;
        auto* pageWidget = page.Window.Page(TJobPage::jpWatermark);
        const char* textFields[] = {"EdtWatermark", "EdtWatermarkFont", "BtnWatermarkFont"};
        const char* pictureFields[] = {"EdtWatermarkPic", "BtnWatermarkPicPath"};
        for (bool text : {true, false, true}) {
            page.Get<QRadioButton>(text ? "RbText" : "RbImgWatermark")->click();
            for (const char* name : textFields)
                QVERIFY2(page.Get<QWidget>(name)->isVisibleTo(pageWidget) == text, name);
            for (const char* name : pictureFields)
                QVERIFY2(page.Get<QWidget>(name)->isVisibleTo(pageWidget) == !text, name);
        }
        QVERIFY(page.Get<QToolButton>("BtnWatermarkFont")->font().bold());
    }

    void fontChoiceNamesAndDrawsTheField()
    {
        TPageWindow page;
        auto* field = page.Get<QLineEdit>("EdtWatermarkFont");
        QFont arial(QStringLiteral("Arial"));
        arial.setPointSize(12);
        arial.setBold(true);
        page.Dialogs.FontToChoose = TFontChoice{arial, QColor(0, 0, 255)};
        page.Get<QToolButton>("BtnWatermarkFont")->click();
        QCOMPARE(field->text(), QStringLiteral("Arial [12]"));
        QCOMPARE(field->font().family(), QStringLiteral("Arial"));
        QCOMPARE(field->font().pointSize(), 12);
        QVERIFY(field->font().bold());
        QVERIFY(!field->font().italic());
        QCOMPARE(field->palette().color(QPalette::Text), QColor(0, 0, 255));

        page.Dialogs.FontToChoose.reset();  // Cancel changes nothing
        page.Get<QToolButton>("BtnWatermarkFont")->click();
        QCOMPARE(field->text(), QStringLiteral("Arial [12]"));
        QCOMPARE(page.Dialogs.FontDialogs, 2);
    }

    void pictureChosenByButtonOrByTyping()
    {
        TPageWindow page;
        page.Get<QRadioButton>("RbImgWatermark")->click();
        auto* field = page.Get<QLineEdit>("EdtWatermarkPic");
        page.Dialogs.PictureToChoose = QStringLiteral("/pictures/mark.png");
        page.Get<QToolButton>("BtnWatermarkPicPath")->click();
        QCOMPARE(field->text(), QStringLiteral("/pictures/mark.png"));

        page.Dialogs.PictureToChoose = QStringLiteral("/pictures/other.png");
        QTest::keyClicks(field, "k");
        QCOMPARE(page.Dialogs.PictureDialogs, 2);
        QCOMPARE(field->text(), QStringLiteral("/pictures/other.png"));

        page.Dialogs.PictureToChoose.clear();  // Cancel
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(page.Dialogs.PictureDialogs, 3);
        QCOMPARE(field->text(), QStringLiteral("/pictures/other.png"));
    }

    void originLegendFollowsTheCorner()
    {
        const QImage bottomRight = OriginLegend(0).toImage();
        const QImage topLeft = OriginLegend(1).toImage();
        QCOMPARE(bottomRight.size(), QSize(53, 47));
        QCOMPARE(topLeft.size(), QSize(53, 47));
        const QRect upperLeft(0, 0, 26, 23);
        const QRect lowerRight(27, 24, 26, 23);
        QVERIFY(YellowPixels(bottomRight, lowerRight) > 3 * YellowPixels(bottomRight, upperLeft));
        QVERIFY(YellowPixels(topLeft, upperLeft) > 3 * YellowPixels(topLeft, lowerRight));

        TPageWindow page;
        auto* legend = page.Get<QLabel>("ImgPoint");
        QCOMPARE(legend->toolTip(), QStringLiteral("图例"));
        QCOMPARE(legend->pixmap().toImage(), bottomRight);
        page.Get<QComboBox>("CmbOrigin")->setCurrentIndex(1);
        QCOMPARE(legend->pixmap().toImage(), topLeft);
        page.Get<QComboBox>("CmbOrigin")->setCurrentIndex(0);
        QCOMPARE(legend->pixmap().toImage(), bottomRight);
    }

    void outputFolderMenusFillTheirFields()
    {
        struct TMenu {
            const char* Button;
            const char* Menu;
            const char* Current;
            const char* Browse;
            const char* Field;
            int Page;
        };
        const TMenu menus[] = {
            {"SpeedButton1", "PopupMenu1", "mnuCurrentDir", "mnuBrowse", "lbEdtSavePath", 0},
            {"BtnPathPixel", "PPMPixel", "MenuItem5", "MenuItem6", "EdtSavePixel", 1},
            {"SBtnWOrH", "PMWOrH", "PMWOrHC", "PMWOrHB", "EdtWOrHPath", 2},
            {"SpeedButton2", "PMConvert", "MenuItem1", "MenuItem2", "lbEdtSavePath2", 4},
            {"SpeedButton3", "PopupMenu3", "MenuItem3", "MenuItem4", "EdtCutSave", 5},
            {"BtnWatermarkPath", "MnuWatermark", "MenuItem7", "MenuItem8", "EdtWatermarkSave", 6},
        };
        TTestFolder folder;
        std::filesystem::create_directory(folder.File("shown"));
        const QString shown = folder.QPath() + "/shown";
        TPageWindow page;
        page.Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.Window));
        ShowFolder(page.Window, folder.Path() / "shown");
        for (const TMenu& test : menus) {
            page.Window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(test.Page);
            auto* menu = page.Get<QMenu>(test.Menu);
            auto* field = page.Get<QLineEdit>(test.Field);
            QCOMPARE(menu->actions()[0]->text(), QStringLiteral("当前路径(&C)"));
            QCOMPARE(menu->actions()[1]->text(), QStringLiteral("选择目录(&B)"));
            QCursor::setPos(300 + test.Page, 200);
            QTest::mousePress(page.Get<QToolButton>(test.Button), Qt::RightButton);
            QVERIFY2(menu->isVisible(), test.Menu);
            QCOMPARE(menu->pos(), QPoint(300 + test.Page, 200));
            menu->hide();

            field->setText("old");
            page.Get<QAction>(test.Current)->trigger();
            QCOMPARE(field->text(), shown);
            page.Dialogs.FolderToChoose.clear();  // the chooser cancelled
            page.Get<QAction>(test.Browse)->trigger();
            QCOMPARE(field->text(), shown);
            page.Dialogs.FolderToChoose = folder.QPath();
            page.Get<QAction>(test.Browse)->trigger();
            QCOMPARE(field->text(), folder.QPath());
        }
        // A tree folder that is no directory any more leaves the field empty.
        std::filesystem::remove(folder.File("shown"));
        auto* field = page.Get<QLineEdit>("EdtCutSave");
        page.Get<QAction>("MenuItem3")->trigger();
        QVERIFY(field->text().isEmpty());
    }
};

QUILLANE_UI_TEST(PageFieldsTest);

}  // namespace quillane

#include "PageFieldsTest.moc"
