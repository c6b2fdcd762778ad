#include "ui/CropPage.h"

#include "jobs/ControlNames.h"
#include "jobs/FieldText.h"
#include "ui/Dialogs.h"
#include "ui/DigitFilter.h"
#include "ui/PageFields.h"
#include "ui/PageServices.h"
#include "ui/SaveFolderMenu.h"
#include "ui/WindowTr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet4",
                                    "BtnCut",
                                    QT_TRANSLATE_NOOP("Window", "创建剪切图(&C)"),
                                    "Memo4",
                                    QT_TRANSLATE_NOOP("Window", "-剪切图形成规则-"),
                                    341,
                                    124};

// One digit field with its caption at (row, column) of the two-column grid.
QLineEdit* AddDigitField(QGridLayout* grid, int row, int column, const char* name, const char* caption,
                         const char* text, int maxLength)
{
    auto* edit = new QLineEdit(QString::fromUtf8(text));
    edit->setObjectName(QString::fromUtf8(name));
    AcceptDigitsOnly(edit, maxLength);
    auto* label = new QLabel(Window::tr(caption));
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

}  // namespace

TCropPage::TCropPage(QWidget* parent, TPageServices& services) : TOperationPage(parent, kNames), services_(services)
{
    BuildRules();
    PopupMenu3 = new TSaveFolderMenu(SpeedButton3, EdtCutSave, {"PopupMenu3", "MenuItem3", "MenuItem4"}, services);
    connect(EdtW, &QLineEdit::textChanged, this, &TCropPage::EdtWChange);
    connect(EdtH, &QLineEdit::textChanged, this, &TCropPage::EdtWChange);
}

void TCropPage::BuildRules()
{
    auto* grid = new QGridLayout(RulesGroup());
    grid->setVerticalSpacing(2);
    EdtLeft = AddDigitField(grid, 0, 0, control::EdtLeft, QT_TRANSLATE_NOOP("Window", "剪裁左起点："), "0", 3);
    EdtTop = AddDigitField(grid, 0, 2, control::EdtTop, QT_TRANSLATE_NOOP("Window", "剪裁顶起点："), "0", 3);
    EdtW = AddDigitField(grid, 1, 0, control::EdtW, QT_TRANSLATE_NOOP("Window", "新图宽："), "100", 4);
    EdtH = AddDigitField(grid, 1, 2, control::EdtH, QT_TRANSLATE_NOOP("Window", "新图高："), "100", 4);
    grid->addWidget(new QLabel(Window::tr("（单位：像素）")), 2, 0, 1, -1);
    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 3, control::EdtCutSave, "SpeedButton3", Window::tr("剪切图存放路径：   "));
    EdtCutSave = save.Edit;
    SpeedButton3 = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 5, "CmbXFixCut", "EdtCutPrefix", QStringLiteral("_c"));
    CmbXFixCut = affix.Position;
    EdtCutPrefix = affix.Affix;
    grid->setRowStretch(6, 1);
}

// Only pasted text can hold something other than digits; its conversion error is
// shown and the button keeps its state.
void TCropPage::EdtWChange()
{
    const std::string width = EdtW->text().toStdString();
    const std::string height = EdtH->text().toStdString();
    if (width.empty() || height.empty()) {
        StartButton()->setEnabled(false);
        return;
    }
    for (const std::string& text : {width, height}) {
        if (!ParseInteger(text)) {
            if (TDialogs* dialogs = services_.PageDialogs())
                dialogs->ShowError(QString::fromStdString(NotAnIntegerMessage(text)));
            return;
        }
    }
    StartButton()->setEnabled(CropStartEnabled(width, height));
}

TCropFields TCropPage::Fields() const
{
    TCropFields fields;
    fields.Left = EdtLeft->text().toStdString();
    fields.Top = EdtTop->text().toStdString();
    fields.Width = EdtW->text().toStdString();
    fields.Height = EdtH->text().toStdString();
    fields.SavePath = EdtCutSave->text().toStdString();
    fields.Affix = EdtCutPrefix->text().toStdString();
    fields.AffixPosition = CmbXFixCut->currentIndex();
    return fields;
}

TCropSettings TCropPage::Stored() const
{
    TCropSettings stored;
    stored.EdtLeft = EdtLeft->text().toStdString();
    stored.EdtTop = EdtTop->text().toStdString();
    stored.EdtW = EdtW->text().toStdString();
    stored.EdtH = EdtH->text().toStdString();
    stored.EdtCutPrefix = EdtCutPrefix->text().toStdString();
    stored.CmbXFixCut = CmbXFixCut->currentIndex();
    return stored;
}

void TCropPage::Load(const TCropSettings& stored)
{
    EdtLeft->setText(QString::fromStdString(stored.EdtLeft));
    EdtTop->setText(QString::fromStdString(stored.EdtTop));
    EdtH->setText(QString::fromStdString(stored.EdtH));
    EdtW->setText(QString::fromStdString(stored.EdtW));
    EdtCutPrefix->setText(QString::fromStdString(stored.EdtCutPrefix));
    CmbXFixCut->setCurrentIndex(stored.CmbXFixCut);
}

}  // namespace quillane
