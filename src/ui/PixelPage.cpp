#include "ui/PixelPage.h"

#include "jobs/ControlNames.h"
#include "ui/Dialogs.h"
#include "ui/DigitFilter.h"
#include "ui/PageFields.h"
#include "ui/PageServices.h"
#include "ui/SaveFolderMenu.h"
#include "ui/WindowTr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet5",
                                    "BtnPixel",
                                    QT_TRANSLATE_NOOP("Window", "创建缩略图(&C)"),
                                    "MmPixel",
                                    QT_TRANSLATE_NOOP("Window", "-缩略图形成规则-"),
                                    341,
                                    124};

QRadioButton* AddRadio(QGridLayout* grid, int row, const char* name, const char* caption)
{
    auto* radio = new QRadioButton(Window::tr(caption));
    radio->setObjectName(QString::fromUtf8(name));
    grid->addWidget(radio, row, 0, 1, 4);
    return radio;
}

}  // namespace

TPixelPage::TPixelPage(QWidget* parent, TPageServices& services) : TOperationPage(parent, kNames), services_(services)
{
    BuildRules();
    const TQualityPair pair = AddQualityPair(StartLayout(), StartButton()->parentWidget(), "Rb2", "Rb2X");
    Rb2 = pair.Fast;
    Rb2X = pair.HighQuality;
    PPMPixel = new TSaveFolderMenu(BtnPathPixel, EdtSavePixel, {"PPMPixel", "MenuItem5", "MenuItem6"}, services);
    for (QRadioButton* radio : {RbNoScale, RbScale, RbScaleCut})
        connect(radio, &QRadioButton::toggled, this, &TPixelPage::RbScaleClick);
    connect(pnlBgColor, &QPushButton::clicked, this, &TPixelPage::pnlBgColorClick);
    RbScaleClick();
}

void TPixelPage::BuildRules()
{
    auto* grid = new QGridLayout(RulesGroup());
    grid->setVerticalSpacing(2);
    lbEdtWidth = AddLabelledEdit(grid, 0, control::lbEdtWidth, Window::tr("宽"));
    lbEdtHeight = new QLineEdit;
    lbEdtHeight->setObjectName(QString::fromLatin1(control::lbEdtHeight));
    auto* heightLabel = new QLabel(Window::tr("高"));
    heightLabel->setBuddy(lbEdtHeight);
    grid->addWidget(heightLabel, 0, 2);
    grid->addWidget(lbEdtHeight, 0, 3);
    AcceptDigitsOnly(lbEdtWidth, 3);
    AcceptDigitsOnly(lbEdtHeight, 3);

    RbNoScale = AddRadio(grid, 1, "RbNoScale", QT_TRANSLATE_NOOP("Window", "严格按宽高像素创建缩略图"));
    RbNoScale->setChecked(true);
    RbScale = AddRadio(grid, 2, "RbScale", QT_TRANSLATE_NOOP("Window", "按宽高创建缩略图时保持原图比例（自动填充）"));
    RbScaleCut =
        AddRadio(grid, 3, "RbScaleCut", QT_TRANSLATE_NOOP("Window", "按宽高创建缩略图时保持原图比例（自动裁减）"));
    pnlBgColor = new QPushButton;
    pnlBgColor->setObjectName(QStringLiteral("pnlBgColor"));
    pnlBgColor->setFixedSize(22, 16);
    pnlBgColor->setCursor(Qt::PointingHandCursor);
    pnlBgColor->setToolTip(Window::tr("请选择填充背景色"));
    pnlBgColor->setFocusPolicy(Qt::NoFocus);
    SetBackColour(backColour_);
    grid->addWidget(pnlBgColor, 2, 4, Qt::AlignRight);

    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 4, control::EdtSavePixel, "BtnPathPixel", Window::tr("缩略图存放路径：   "));
    EdtSavePixel = save.Edit;
    BtnPathPixel = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 6, "CmbXFixPixel", "EdtPrefixPixel", QStringLiteral("_s"));
    CmbXFixPixel = affix.Position;
    EdtPrefixPixel = affix.Affix;
    grid->setRowStretch(7, 1);
}

void TPixelPage::RbScaleClick()
{
    pnlBgColor->setVisible(RbScale->isChecked());
}

// The dialog opens on its own last colour, not on the box's.
void TPixelPage::pnlBgColorClick()
{
    if (TDialogs* dialogs = services_.PageDialogs()) {
        if (const std::optional<QColor> colour = dialogs->ChooseColor())
            SetBackColour(*colour);
    }
}

void TPixelPage::SetBackColour(const QColor& colour)
{
    backColour_ = colour;
    pnlBgColor->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; border: 1px solid gray; }").arg(colour.name()));
}

TPixelFields TPixelPage::Fields() const
{
    TPixelFields fields;
    fields.Width = lbEdtWidth->text().toStdString();
    fields.Height = lbEdtHeight->text().toStdString();
    fields.Mode = RbScale->isChecked() ? pmFill : RbScaleCut->isChecked() ? pmCut : pmExact;
    fields.BackColourRgb = backColour_.rgb() & 0xFFFFFFu;
    fields.SavePath = EdtSavePixel->text().toStdString();
    fields.Affix = EdtPrefixPixel->text().toStdString();
    fields.AffixPosition = CmbXFixPixel->currentIndex();
    fields.Fast = Rb2->isChecked();
    return fields;
}

TPixelSettings TPixelPage::Stored() const
{
    TPixelSettings stored;
    stored.lbEdtWidth = lbEdtWidth->text().toStdString();
    stored.lbEdtHeight = lbEdtHeight->text().toStdString();
    stored.fitMode = RbScale->isChecked() ? fmScale : RbScaleCut->isChecked() ? fmScaleCut : fmNoScale;
    stored.EdtPrefixPixel = EdtPrefixPixel->text().toStdString();
    stored.CmbXFixPixel = CmbXFixPixel->currentIndex();
    return stored;
}

void TPixelPage::Load(const TPixelSettings& stored)
{
    lbEdtWidth->setText(QString::fromStdString(stored.lbEdtWidth));
    lbEdtHeight->setText(QString::fromStdString(stored.lbEdtHeight));
    QRadioButton* const modes[] = {RbNoScale, RbScale, RbScaleCut};
    modes[stored.fitMode]->setChecked(true);
    EdtPrefixPixel->setText(QString::fromStdString(stored.EdtPrefixPixel));
    CmbXFixPixel->setCurrentIndex(stored.CmbXFixPixel);
}

}  // namespace quillane
