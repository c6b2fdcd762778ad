// The preview: stretched thumbnail mode, 100 % mode, upright pictures, quiet failures.
// The image library's headers come before Qt's, whose "signals" keyword clashes with glib.
#include <vips/vips8>

#include "UiTestSupport.h"

#include "ui/FrmMain.h"
#include "ui/PreviewLoader.h"
#include "ui/ShellListView.h"
#include "ui/SourceBrowser.h"

#include <QCheckBox>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

namespace quillane {

namespace {

// Left half red, right half blue: a stretched copy keeps that split at every height.
QImage HalvesPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            picture.setPixelColor(x, y, Qt::red);
    return picture;
}

// The same halves through the image library, for the formats the toolkit cannot write.
void WriteHalvesWithImageLibrary(const std::filesystem::path& file, int width, int height)
{
    const vips::VImage left = vips::VImage::xyz(width, height)[0] < width / 2;
    left.ifthenelse(std::vector<double>{255, 0, 0}, std::vector<double>{0, 0, 255})
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
        .write_to_file(file.c_str());
}

bool Near(QColor actual, QColor expected)
{
    return qAbs(actual.red() - expected.red()) < 40 && qAbs(actual.green() - expected.green()) < 40 &&
           qAbs(actual.blue() - expected.blue()) < 40;
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private:
    void ClickRow(TfrmMain& window, int row)
    {
        TShellListView* list = window.Browser()->List();
        const QModelIndex index = list->model()->index(row, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

private slots:
    void thumbnailModeStretchesActualSizeDoesNot()
    {
        TTestFolder folder;
        WritePicture(folder.File("wide.png"), HalvesPicture(40, 10));
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ShowFolder(window, folder.Path());
        ClickRow(window, 0);

        auto* image = window.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(!image->pixmap().isNull());
        // The whole area is painted, top and bottom rows included: the ratio is not kept.
        const QImage shown = image->grab().toImage();
        QVERIFY(shown.height() > 40);
        for (int y : {1, shown.height() / 2, shown.height() - 2}) {
            QVERIFY(Near(shown.pixelColor(2, y), Qt::red));
            QVERIFY(Near(shown.pixelColor(shown.width() - 3, y), Qt::blue));
        }

        window.findChild<QRadioButton*>(QStringLiteral("RbWeb"))->click();
        QVERIFY(!image->isVisible());
        QVERIFY(window.findChild<QScrollArea*>(QStringLiteral("PnlWeb"))->isVisible());
        auto* actual = window.findChild<QLabel*>(QStringLiteral("WebBrowser1"));
        QCOMPARE(actual->pixmap().size(), QSize(40, 10));
        QCOMPARE(actual->size(), QSize(40, 10));
    }

    void picturesAreShownUpright()
    {
        TTestFolder folder;
        QImageWriter writer(QFile::decodeName(QByteArray::fromStdString(folder.File("turned.jpg").string())));
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(SolidPicture(40, 10, Qt::green)));
        // Only the recorded orientation makes it tall.
        QCOMPARE(LoadPreviewPicture(folder.File("turned.jpg")).size(), QSize(10, 40));

        WritePicture(folder.File("plain.png"), SolidPicture(40, 10, Qt::green));
        QCOMPARE(LoadPreviewPicture(folder.File("plain.png")).size(), QSize(40, 10));
        WriteBytes(folder.File("broken.png"), "not a picture");
        QVERIFY(LoadPreviewPicture(folder.File("broken.png")).isNull());
        QVERIFY(LoadPreviewPicture(folder.File("missing.gif")).isNull());
    }

    void goodPicturesOfEveryFormatShowWithTheirPixels()
    {
        TTestFolder folder;
        for (const char* name : {"p.jpg", "p.png", "p.bmp"})
            WritePicture(folder.File(name), HalvesPicture(40, 10));
        for (const char* name : {"p.gif", "p.tif"})
            WriteHalvesWithImageLibrary(folder.File(name), 40, 10);
        for (const char* name : {"p.jpg", "p.png", "p.bmp", "p.gif", "p.tif"}) {
            const QImage picture = LoadPreviewPicture(folder.File(name));
            QVERIFY2(picture.size() == QSize(40, 10), name);
            QVERIFY2(Near(picture.pixelColor(5, 5), Qt::red), name);
            QVERIFY2(Near(picture.pixelColor(34, 4), Qt::blue), name);
            QVERIFY2(picture.pixelColor(5, 5).alpha() == 255, name);
        }
        QImage clear(6, 4, QImage::Format_ARGB32);
        clear.fill(QColor(10, 200, 30, 100));
        WritePicture(folder.File("clear.png"), clear);
        const QColor shown = LoadPreviewPicture(folder.File("clear.png")).pixelColor(3, 2);
        QCOMPARE(shown.alpha(), 100);
        QVERIFY(Near(shown, QColor(10, 200, 30)));
    }

    // What every run refuses shows no picture either.
    void refusedFilesShowNoPicture()
    {
        TTestFolder folder;
        WriteBytes(folder.File("portable.tif"), "P6\n4 3\n255\n" + std::string(4 * 3 * 3, '\x7f'));
        WritePicture(folder.File("whole.jpg"), HalvesPicture(400, 300));
        QFile whole(QFile::decodeName(QByteArray::fromStdString(folder.File("whole.jpg").string())));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        WriteBytes(folder.File("cut.jpg"), bytes.left(bytes.size() / 2).toStdString());
        // Still a picture to the toolkit, which fills what is missing with grey.
        QVERIFY(!QImage(QFile::decodeName(QByteArray::fromStdString(folder.File("cut.jpg").string()))).isNull());
        for (const char* name : {"portable.tif", "cut.jpg"})
            QVERIFY2(LoadPreviewPicture(folder.File(name)).isNull(), name);
    }

    void folderClickKeepsThePicture()
    {
        TTestFolder folder;
        std::filesystem::create_directory(folder.File("inner"));
        WritePicture(folder.File("p.bmp"), SolidPicture(8, 8, Qt::red));
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ShowFolder(window, folder.Path());
        window.findChild<QCheckBox*>(QStringLiteral("ChkSubFolder"))->click();
        ClickRow(window, 1);
        auto* image = window.findChild<QLabel*>(QStringLiteral("Image1"));
        const qint64 shownKey = image->pixmap().cacheKey();
        QVERIFY(!image->pixmap().isNull());
        ClickRow(window, 0);  // the folder
        QCOMPARE(image->pixmap().cacheKey(), shownKey);
    }

    void unreadablePictureClearsQuietlyAndRebuilds()
    {
        TTestFolder folder;
        WritePicture(folder.File("a.jpg"), SolidPicture(8, 8, Qt::red));
        const char damaged[] = "\xff\xd8\xff\xe0 damaged";  // a JPEG start, then nothing of use
        WriteBytes(folder.File("b.jpg"), std::string(damaged, sizeof damaged - 1));
        TfrmMain window;
        TFakeDialogs dialogs;
        window.SetDialogs(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ShowFolder(window, folder.Path());
        ClickRow(window, 0);
        auto* image = window.findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(!image->pixmap().isNull());

        QSignalSpy rebuilt(window.Browser()->List()->model(), &QAbstractItemModel::modelReset);
        ClickRow(window, 1);
        QVERIFY(image->pixmap().isNull());
        QCOMPARE(rebuilt.count(), 1);
        QVERIFY(dialogs.Messages.empty());
        QVERIFY(dialogs.Errors.empty());
        window.SetDialogs(nullptr);
    }
};

QUILLANE_UI_TEST(PreviewTest);

}  // namespace quillane

#include "PreviewTest.moc"
