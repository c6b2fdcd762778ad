#include "ui/PageFields.h"
#include "ui/WindowTr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, const char* name, const QString& label, const QString& text,
                           int maxLength)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QString::fromUtf8(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

TSaveFolderRow AddSaveFolderRow(QGridLayout* grid, int row, const char* editName, const char* buttonName,
                                const QString& label)
{
    auto* caption = new QLabel(label);
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromUtf8(editName));
    caption->setBuddy(edit);
    auto* button = new QToolButton;
    button->setObjectName(QString::fromUtf8(buttonName));
    button->setText(QStringLiteral("..."));
    auto* line = new QHBoxLayout;
    line->addWidget(edit, 1);
    line->addWidget(button);
    grid->addWidget(caption, row, 0, 1, -1);
    grid->addLayout(line, row + 1, 0, 1, -1);
    return {edit, button};
}

TAffixRow AddAffixRow(QGridLayout* grid, int row, const char* comboName, const char* editName, const QString& affix)
{
    auto* position = new QComboBox;
    position->setObjectName(QString::fromUtf8(comboName));
    position->addItems({Window::tr("后缀"), Window::tr("前缀")});
    auto* edit = new QLineEdit(affix);
    edit->setObjectName(QString::fromUtf8(editName));
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(Window::tr("在原文件名后增加   ")));
    line->addWidget(position);
    line->addWidget(new QLabel(Window::tr("：")));
    line->addWidget(edit, 1);
    grid->addLayout(line, row, 0, 1, -1);
    return {position, edit};
}

TQualityPair AddQualityPair(QVBoxLayout* layout, QWidget* parent, const char* fastName, const char* highQualityName)
{
    auto* fast = new QRadioButton(Window::tr("快速创建"), parent);
    fast->setObjectName(QString::fromUtf8(fastName));
    auto* highQuality = new QRadioButton(Window::tr("高质量创建"), parent);
    highQuality->setObjectName(QString::fromUtf8(highQualityName));
    highQuality->setChecked(true);
    layout->addWidget(fast);
    layout->addWidget(highQuality);
    return {fast, highQuality};
}

}  // namespace quillane
