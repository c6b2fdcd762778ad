#include "ui/WatermarkPage.h"

#include "jobs/ControlNames.h"
#include "ui/Dialogs.h"
#include "ui/DigitFilter.h"
#include "ui/LegendPictures.h"
#include "ui/PageFields.h"
#include "ui/PageServices.h"
#include "ui/SaveFolderMenu.h"
#include "ui/settings/SettingsRules.h"
#include "ui/WindowTr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet7",
                                    "BtnWatermark",
                                    QT_TRANSLATE_NOOP("Window", "创建水印标签(&C)"),
                                    "MmWatermark",
                                    QT_TRANSLATE_NOOP("Window", "-水印标签设置规则-"),
                                    409,
                                    129};

QLineEdit* NamedEdit(const char* name, const QString& text = {})
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QString::fromUtf8(name));
    return edit;
}

QLabel* Caption(const char* text, QWidget* buddy)
{
    auto* label = new QLabel(Window::tr(text));
    label->setBuddy(buddy);
    return label;
}

QToolButton* DotsButton(const char* name)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromUtf8(name));
    button->setText(QStringLiteral("..."));
    return button;
}

QFont ToQFont(const TFontSettings& font)
{
    QFont result(QString::fromStdString(font.name));
    result.setPointSize(font.size > 0 ? font.size : 8);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

}  // namespace

TWatermarkPage::TWatermarkPage(QWidget* parent, TPageServices& services)
    : TOperationPage(parent, kNames), services_(services)
{
    auto* layout = new QVBoxLayout(RulesGroup());
    layout->setSpacing(2);
    layout->addWidget(BuildPlacement());
    layout->addWidget(BuildMark());
    layout->addWidget(BuildOutput());
    layout->addStretch();
    MnuWatermark =
        new TSaveFolderMenu(BtnWatermarkPath, EdtWatermarkSave, {"MnuWatermark", "MenuItem7", "MenuItem8"}, services);
    connect(RbText, &QRadioButton::toggled, this, &TWatermarkPage::RbImgWatermarkClick);
    connect(BtnWatermarkFont, &QToolButton::clicked, this, &TWatermarkPage::BtnWatermarkFontClick);
    connect(BtnWatermarkPicPath, &QToolButton::clicked, this, &TWatermarkPage::BtnWatermarkPicPathClick);
    connect(CmbOrigin, &QComboBox::currentIndexChanged, this, &TWatermarkPage::CmbOriginChange);
    EdtWatermarkPic->installEventFilter(this);
    RbImgWatermarkClick();
    ShowFont();
}

// Where the mark goes: the reference corner with its legend, the distances, the opacity.
QWidget* TWatermarkPage::BuildPlacement()
{
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    CmbOrigin = new QComboBox;
    CmbOrigin->setObjectName(QStringLiteral("CmbOrigin"));
    CmbOrigin->addItems({Window::tr("右底点"), Window::tr("左顶点")});
    ImgPoint = new QLabel;
    ImgPoint->setObjectName(QStringLiteral("ImgPoint"));
    ImgPoint->setToolTip(Window::tr("图例"));
    ImgPoint->setFixedSize(kLegendWidth, kLegendHeight);
    ImgPoint->setPixmap(OriginLegend(0));
    EdtWatermarkX = NamedEdit(control::EdtWatermarkX);
    EdtWatermarkY = NamedEdit(control::EdtWatermarkY);
    EdtWatermarkOpacity = NamedEdit(control::EdtWatermarkOpacity, QStringLiteral("100"));
    AcceptDigitsOnly(EdtWatermarkX);
    AcceptDigitsOnly(EdtWatermarkY);
    AcceptDigitsOnly(EdtWatermarkOpacity, 3);
    grid->addWidget(CmbOrigin, 0, 0, 1, 2);
    grid->addWidget(Caption(QT_TRANSLATE_NOOP("Window", "标签X值："), EdtWatermarkX), 1, 0);
    grid->addWidget(EdtWatermarkX, 1, 1);
    grid->addWidget(Caption(QT_TRANSLATE_NOOP("Window", "Y值："), EdtWatermarkY), 1, 2);
    grid->addWidget(EdtWatermarkY, 1, 3);
    grid->addWidget(new QLabel(Window::tr("像素")), 1, 4);
    grid->addWidget(Caption(QT_TRANSLATE_NOOP("Window", "不透明度%   "), EdtWatermarkOpacity), 2, 0);
    grid->addWidget(EdtWatermarkOpacity, 2, 1);
    grid->addWidget(ImgPoint, 0, 5, 3, 1, Qt::AlignRight);
    return panel;
}

// What the mark is: a text in a font, or a picture, each at the same place.
QWidget* TWatermarkPage::BuildMark()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PnlMark"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    RbText = new QRadioButton(Window::tr("文字水印"));
    RbText->setObjectName(QStringLiteral("RbText"));
    RbText->setChecked(true);
    RbImgWatermark = new QRadioButton(Window::tr("图片水印"));
    RbImgWatermark->setObjectName(QStringLiteral("RbImgWatermark"));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(RbText);
    kinds->addWidget(RbImgWatermark);
    kinds->addStretch();
    grid->addLayout(kinds, 0, 0, 1, 3);

    EdtWatermark = NamedEdit(control::EdtWatermark);
    LblWatermark = Caption(QT_TRANSLATE_NOOP("Window", "水印标签："), EdtWatermark);
    EdtWatermarkPic = NamedEdit("EdtWatermarkPic");
    EdtWatermarkPic->setReadOnly(true);
    LblWatermarkPic = Caption(QT_TRANSLATE_NOOP("Window", "水印图片："), EdtWatermarkPic);
    BtnWatermarkPicPath = DotsButton("BtnWatermarkPicPath");
    grid->addWidget(LblWatermark, 1, 0);
    grid->addWidget(EdtWatermark, 1, 1, 1, 2);
    grid->addWidget(LblWatermarkPic, 1, 0);
    grid->addWidget(EdtWatermarkPic, 1, 1);
    grid->addWidget(BtnWatermarkPicPath, 1, 2);

    EdtWatermarkFont = NamedEdit("EdtWatermarkFont");
    EdtWatermarkFont->setReadOnly(true);
    LblWatermarkFont = Caption(QT_TRANSLATE_NOOP("Window", "标签字体："), EdtWatermarkFont);
    BtnWatermarkFont = DotsButton("BtnWatermarkFont");
    QFont bold = BtnWatermarkFont->font();
    bold.setBold(true);
    BtnWatermarkFont->setFont(bold);
    grid->addWidget(LblWatermarkFont, 2, 0);
    grid->addWidget(EdtWatermarkFont, 2, 1);
    grid->addWidget(BtnWatermarkFont, 2, 2);
    // Text or picture: the hidden fields keep their room, so the switch moves nothing else.
    for (QWidget* field : panel->findChildren<QWidget*>()) {
        QSizePolicy policy = field->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        field->setSizePolicy(policy);
    }
    return panel;
}

// Where the marked pictures go and which pictures are left alone.
QWidget* TWatermarkPage::BuildOutput()
{
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 0, control::EdtWatermarkSave, "BtnWatermarkPath", Window::tr("新图存放路径：   "));
    EdtWatermarkSave = save.Edit;
    BtnWatermarkPath = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 2, "CmbXFixWatermark", "EdtWatermarkPrefix", QStringLiteral("_w"));
    CmbXFixWatermark = affix.Position;
    EdtWatermarkPrefix = affix.Affix;
    EdtMinWidth = NamedEdit(control::EdtMinWidth, QStringLiteral("0"));
    AcceptDigitsOnly(EdtMinWidth);
    auto* skip = new QHBoxLayout;
    skip->addWidget(Caption(QT_TRANSLATE_NOOP("Window", "图片宽度小于："), EdtMinWidth));
    skip->addWidget(EdtMinWidth);
    skip->addWidget(new QLabel(Window::tr("像素时不处理跳过")));
    skip->addStretch();
    grid->addLayout(skip, 3, 0, 1, -1);
    return panel;
}

void TWatermarkPage::RbImgWatermarkClick()
{
    const bool text = RbText->isChecked();
    for (QWidget* field : {static_cast<QWidget*>(LblWatermark), static_cast<QWidget*>(EdtWatermark),
                           static_cast<QWidget*>(LblWatermarkFont), static_cast<QWidget*>(EdtWatermarkFont),
                           static_cast<QWidget*>(BtnWatermarkFont)})
        field->setVisible(text);
    for (QWidget* field : {static_cast<QWidget*>(LblWatermarkPic), static_cast<QWidget*>(EdtWatermarkPic),
                           static_cast<QWidget*>(BtnWatermarkPicPath)})
        field->setVisible(!text);
}

// The dialog opens on its own last font, not on the watermark font.
void TWatermarkPage::BtnWatermarkFontClick()
{
    TDialogs* dialogs = services_.PageDialogs();
    if (dialogs == nullptr)
        return;
    const std::optional<TFontChoice> choice = dialogs->ChooseFont();
    if (!choice)
        return;
    font_.name = choice->Font.family().toStdString();
    font_.size = choice->Font.pointSize();
    font_.charset = TFontSettings{}.charset;  // no character sets here: the default one
    font_.color = ColorFromRgb(choice->Colour.red(), choice->Colour.green(), choice->Colour.blue());
    font_.bold = choice->Font.bold();
    font_.italic = choice->Font.italic();
    font_.underline = choice->Font.underline();
    font_.strikeOut = choice->Font.strikeOut();
    ShowFont();
}

void TWatermarkPage::BtnWatermarkPicPathClick()
{
    if (TDialogs* dialogs = services_.PageDialogs()) {
        const QString file = dialogs->ChoosePictureFile();
        if (!file.isEmpty())
            EdtWatermarkPic->setText(file);
    }
}

// Typing into the read-only picture field opens the file dialog instead.
bool TWatermarkPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EdtWatermarkPic && event->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
        BtnWatermarkPicPathClick();
        return true;
    }
    return TOperationPage::eventFilter(watched, event);
}

void TWatermarkPage::CmbOriginChange()
{
    ImgPoint->clear();
    ImgPoint->setPixmap(OriginLegend(CmbOrigin->currentIndex()));
}

void TWatermarkPage::ShowFont()
{
    EdtWatermarkFont->setText(QString::fromStdString(FontCaption(font_)));
    EdtWatermarkFont->setFont(ToQFont(font_));
    const TColor colour = ResolveColor(font_.color, WindowTextColour());
    QPalette palette = EdtWatermarkFont->palette();
    palette.setColor(QPalette::Text, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    EdtWatermarkFont->setPalette(palette);
}

TColor TWatermarkPage::WindowTextColour() const
{
    const QColor text = palette().color(QPalette::WindowText);
    return ColorFromRgb(text.red(), text.green(), text.blue());
}

TWatermarkFields TWatermarkPage::Fields() const
{
    TWatermarkFields fields;
    fields.UseText = RbText->isChecked();
    fields.Text = EdtWatermark->text().toStdString();
    fields.Font = {
        font_.name,     font_.size,   static_cast<std::uint32_t>(ResolveColor(font_.color, WindowTextColour())),
        font_.bold,     font_.italic, font_.underline,
        font_.strikeOut};
    fields.PicturePath = EdtWatermarkPic->text().toStdString();
    fields.X = EdtWatermarkX->text().toStdString();
    fields.Y = EdtWatermarkY->text().toStdString();
    fields.Opacity = EdtWatermarkOpacity->text().toStdString();
    fields.Origin = CmbOrigin->currentIndex();
    fields.MinWidth = EdtMinWidth->text().toStdString();
    fields.SavePath = EdtWatermarkSave->text().toStdString();
    fields.Affix = EdtWatermarkPrefix->text().toStdString();
    fields.AffixPosition = CmbXFixWatermark->currentIndex();
    return fields;
}

TWatermarkSettings TWatermarkPage::Stored() const
{
    TWatermarkSettings stored;
    stored.EdtWatermark = EdtWatermark->text().toStdString();
    stored.font = font_;
    stored.EdtWatermarkX = EdtWatermarkX->text().toStdString();
    stored.EdtWatermarkY = EdtWatermarkY->text().toStdString();
    stored.EdtWatermarkOpacity = EdtWatermarkOpacity->text().toStdString();
    stored.EdtWatermarkPrefix = EdtWatermarkPrefix->text().toStdString();
    stored.RbText = RbText->isChecked();
    stored.CmbXFixWatermark = CmbXFixWatermark->currentIndex();
    stored.CmbOrigin = CmbOrigin->currentIndex();
    return stored;
}

void TWatermarkPage::Load(const TWatermarkSettings& stored)
{
    EdtWatermark->setText(QString::fromStdString(stored.EdtWatermark));
    font_ = stored.font;
    ShowFont();
    EdtWatermarkX->setText(QString::fromStdString(stored.EdtWatermarkX));
    EdtWatermarkY->setText(QString::fromStdString(stored.EdtWatermarkY));
    EdtWatermarkOpacity->setText(QString::fromStdString(stored.EdtWatermarkOpacity));
    EdtWatermarkPrefix->setText(QString::fromStdString(stored.EdtWatermarkPrefix));
    (stored.RbText ? RbText : RbImgWatermark)->setChecked(true);
    CmbXFixWatermark->setCurrentIndex(stored.CmbXFixWatermark);
    CmbOrigin->setCurrentIndex(stored.CmbOrigin);
    CmbOriginChange();
}

}  // namespace quillane
