// The preview: stretched thumbnail mode, 100 % mode, upright pictures, quiet failures.
#include "UiTestSupport.h"

#include "ui/MainWindow.h"
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

bool Near(QColor actual, QColor expected)
{
    return qAbs(actual.red() - expected.red()) < 40 && qAbs(actual.green() - expected.green()) < 40
           && qAbs(actual.blue() - expected.blue()) < 40;
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
