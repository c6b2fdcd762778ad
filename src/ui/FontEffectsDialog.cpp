#include "ui/FontEffectsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace quillane {

namespace {

struct TNamedColour {
    const char* Name;
    QRgb Value;
};

// The sixteen basic colours a font's colour is chosen from.
const TNamedColour kBasicColours[] = {
    {"黑色", 0x000000},   {"褐红色", 0x800000}, {"绿色", 0x008000},   {"橄榄色", 0x808000},
    {"深蓝色", 0x000080}, {"紫色", 0x800080},   {"深青色", 0x008080}, {"灰色", 0x808080},
    {"银色", 0xC0C0C0},   {"红色", 0xFF0000},   {"酸橙色", 0x00FF00}, {"黄色", 0xFFFF00},
    {"蓝色", 0x0000FF},   {"紫红色", 0xFF00FF}, {"水绿色", 0x00FFFF}, {"白色", 0xFFFFFF},
};

QPixmap Swatch(const QColor& colour)
{
    QPixmap swatch(20, 12);
    swatch.fill(colour);
    QPainter painter(&swatch);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 19, 11);
    return swatch;
}

}  // namespace

TFontEffectsDialog::TFontEffectsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("字体"));
    fonts_ = new QFontDialog(this);
    fonts_->setObjectName(QStringLiteral("FontChooser"));
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    CmbColour = new QComboBox(this);
    CmbColour->setObjectName(QStringLiteral("CmbColour"));
    for (const TNamedColour& colour : kBasicColours)
        CmbColour->addItem(Swatch(QColor(colour.Value)), QString::fromUtf8(colour.Name), QColor(colour.Value));
    auto* colourLabel = new QLabel(QStringLiteral("颜色(&C)："), this);
    colourLabel->setBuddy(CmbColour);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(CmbColour);
    colourRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

void TFontEffectsDialog::SetChoice(const TFontChoice& choice)
{
    fonts_->setCurrentFont(choice.Font);
    SelectColour(choice.Colour);
}

TFontChoice TFontEffectsDialog::Choice() const
{
    return {fonts_->currentFont(), CmbColour->currentData().value<QColor>()};
}

// A colour outside the sixteen (the window-text colour of a theme) gets its own entry.
void TFontEffectsDialog::SelectColour(const QColor& colour)
{
    int index = CmbColour->findData(colour);
    if (index < 0) {
        CmbColour->addItem(Swatch(colour), colour.name(), colour);
        index = CmbColour->count() - 1;
    }
    CmbColour->setCurrentIndex(index);
}

}  // namespace quillane
