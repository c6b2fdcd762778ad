// The colour, font and picture choosers as the user meets them.
#include "UiTestSupport.h"

#include "ui/Dialogs.h"
#include "ui/FontEffectsDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

namespace quillane {

namespace {

}  // namespace

class ChooserDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void colourDialogOpensOnItsOwnLastColour()
    {
        QMainWindow owner;
        TModalDialogs dialogs(&owner);
        QColor shown;
        AnswerNextDialog([&](QDialog* dialog) {
            shown = qobject_cast<QColorDialog*>(dialog)->currentColor();
            qobject_cast<QColorDialog*>(dialog)->setCurrentColor(QColor(200, 10, 20));
        });
        QVERIFY(dialogs.ChooseColor() == std::optional<QColor>(QColor(200, 10, 20)));
        QCOMPARE(shown, QColor(Qt::black));  // before the first choice
        for (int slot = 0; slot < QColorDialog::customCount(); ++slot)
            QVERIFY(QColorDialog::customColor(slot) == QColor(Qt::white));

        AnswerNextDialog(
            [&](QDialog* dialog) {
                shown = qobject_cast<QColorDialog*>(dialog)->currentColor();
                qobject_cast<QColorDialog*>(dialog)->setCurrentColor(Qt::green);
            },
            QDialog::Rejected);
        QVERIFY(!dialogs.ChooseColor().has_value());
        QCOMPARE(shown, QColor(200, 10, 20));
        AnswerNextDialog([&](QDialog* dialog) { shown = qobject_cast<QColorDialog*>(dialog)->currentColor(); },
                         QDialog::Rejected);
        dialogs.ChooseColor();
        QCOMPARE(shown, QColor(200, 10, 20));  // a cancelled choice is not remembered
    }

    void fontDialogOpensOnItsOwnLastFont()
    {
        QMainWindow owner;
        TModalDialogs dialogs(&owner);
        TFontChoice shown;
        AnswerNextDialog([&](QDialog* dialog) {
            auto* effects = qobject_cast<TFontEffectsDialog*>(dialog);
            shown = effects->Choice();
            QFont font(QStringLiteral("Noto Sans CJK SC"));
            font.setPointSize(20);
            font.setUnderline(true);
            effects->SetChoice({font, QColor(0x80, 0, 0)});
        });
        const std::optional<TFontChoice> chosen = dialogs.ChooseFont();
        // The window font, as near as the installed families come to it.
        QCOMPARE(shown.Font.pointSize(), 8);
        QCOMPARE(shown.Colour, QApplication::palette().color(QPalette::WindowText));
        QVERIFY(!shown.Font.bold() && !shown.Font.italic());
        QVERIFY(chosen.has_value());
        QCOMPARE(chosen->Font.pointSize(), 20);
        QVERIFY(chosen->Font.underline());
        QCOMPARE(chosen->Colour, QColor(0x80, 0, 0));

        AnswerNextDialog([&](QDialog* dialog) { shown = qobject_cast<TFontEffectsDialog*>(dialog)->Choice(); },
                         QDialog::Rejected);
        QCOMPARE(dialogs.ChooseFont().has_value(), false);
        QCOMPARE(shown.Font.pointSize(), 20);
        QCOMPARE(shown.Colour, QColor(0x80, 0, 0));
    }

    void pictureDialogListsPicturesAndNeedsAnExistingFile()
    {
        TTestFolder folder;
        WritePicture(folder.File("mark.png"), SolidPicture(2, 2, Qt::red));
        QMainWindow owner;
        TModalDialogs dialogs(&owner);
        AnswerNextDialog([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QCOMPARE(files->fileMode(), QFileDialog::ExistingFile);
            QCOMPARE(files->nameFilters().size(), 1);
            QVERIFY(files->nameFilters()[0].startsWith(QStringLiteral("*.bmp;*.jpg;*.jpeg;*.png*.tif;*.gif (")));
            QVERIFY(files->nameFilters()[0].contains(QStringLiteral("*.tif *.gif")));
            // Typed into the name field, then OK, which insists on an existing file.
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(folder.QPath() + "/mark.png");
            static_cast<QDialog*>(files)->accept();
        });
        QCOMPARE(dialogs.ChoosePictureFile(), folder.QPath() + "/mark.png");
        AnswerNextDialog([](QDialog*) {}, QDialog::Rejected);
        QVERIFY(dialogs.ChoosePictureFile().isEmpty());
    }
};

QUILLANE_UI_TEST(ChooserDialogsTest);

}  // namespace quillane

#include "ChooserDialogsTest.moc"
