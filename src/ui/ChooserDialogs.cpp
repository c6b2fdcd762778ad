// The colour, font and picture choosers of the operation pages.
#include "ui/Dialogs.h"
#include "ui/FontEffectsDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPalette>

namespace quillane {

namespace {

// One entry: the text before the bar is what the dialog shows, the patterns after it
// are what it lists.
const QString kPictureFilter = QStringLiteral("*.bmp;*.jpg;*.jpeg;*.png*.tif;*.gif");
const QString kPicturePatterns = QStringLiteral("*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.gif");

// Linux names are case-sensitive: the patterns are listed in capitals too, so a.JPG shows.
QString PictureNameFilter()
{
    QString patterns = kPicturePatterns;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return kPictureFilter + QStringLiteral(" (") + patterns + QLatin1Char(' ') + patterns.toUpper() + QLatin1Char(')');
}

}  // namespace

TFontChoice InitialFontChoice()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return {font, QGuiApplication::palette().color(QPalette::WindowText)};
}

std::optional<QColor> TModalDialogs::ChooseColor()
{
    if (!customColoursSet_) {
        for (int slot = 0; slot < QColorDialog::customCount(); ++slot)
            QColorDialog::setCustomColor(slot, Qt::white);
        customColoursSet_ = true;
    }
    QColorDialog dialog(lastColour_, mainWindow_);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    lastColour_ = dialog.currentColor();
    return lastColour_;
}

std::optional<TFontChoice> TModalDialogs::ChooseFont()
{
    TFontEffectsDialog dialog(mainWindow_);
    dialog.SetChoice(lastFont_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    lastFont_ = dialog.Choice();
    return lastFont_;
}

QString TModalDialogs::ChoosePictureFile()
{
    QFileDialog dialog(mainWindow_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(PictureNameFilter());
    if (!lastPicture_.isEmpty())
        dialog.selectFile(lastPicture_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastPicture_ = dialog.selectedFiles().constFirst();
    return lastPicture_;
}

}  // namespace quillane
