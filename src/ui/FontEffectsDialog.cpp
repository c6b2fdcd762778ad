#include "ui/FontEffectsDialog.h"
#include "ui/WindowTr.h"

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
    {QT_TRANSLATE_NOOP("Window", "黑色"), 0x000000},   {QT_TRANSLATE_NOOP("Window", "褐红色"), 0x800000},
    {QT_TRANSLATE_NOOP("Window", "绿色"), 0x008000},   {QT_TRANSLATE_NOOP("Window", "橄榄色"), 0x808000},
    {QT_TRANSLATE_NOOP("Window", "深蓝色"), 0x000080}, {QT_TRANSLATE_NOOP("Window", "紫色"), 0x800080},
    {QT_TRANSLATE_NOOP("Window", "深青色"), 0x008080}, {QT_TRANSLATE_NOOP("Window", "灰色"), 0x808080},
    {QT_TRANSLATE_NOOP("Window", "银色"), 0xC0C0C0},   {QT_TRANSLATE_NOOP("Window", "红色"), 0xFF0000},
    {QT_TRANSLATE_NOOP("Window", "酸橙色"), 0x00FF00}, {QT_TRANSLATE_NOOP("Window", "黄色"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("Window", "蓝色"), 0x0000FF},   {QT_TRANSLATE_NOOP("Window", "紫红色"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("Window", "水绿色"), 0x00FFFF}, {QT_TRANSLATE_NOOP("Window", "白色"), 0xFFFFFF},
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
    setWindowTitle(Window::tr("字体"));
    fonts_ = new QFontDialog(this);
    fonts_->setObjectName(QStringLiteral("FontChooser"));
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    CmbColour = new QComboBox(this);
    CmbColour->setObjectName(QStringLiteral("CmbColour"));
    for (const TNamedColour& colour : kBasicColours)
        CmbColour->addItem(Swatch(QColor(colour.Value)), Window::tr(colour.Name), QColor(colour.Value));
    auto* colourLabel = new QLabel(Window::tr("颜色(&C)："), this);
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
