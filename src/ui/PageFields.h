#pragma once

#include <QString>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace quillane {

// Builders for the fields every writing page shares.

// An edit named `name` with `label` to its left, added as one row of `grid`.
QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, const char* name, const QString& label, const QString& text = {},
                           int maxLength = 0);

// The output-folder row: the edit, then its "..." button.
struct TSaveFolderRow {
    QLineEdit* Edit;
    QToolButton* Button;
};
TSaveFolderRow AddSaveFolderRow(QGridLayout* grid, int row, const char* editName, const char* buttonName,
                                const QString& label);

// The affix row: "在原文件名后增加   ", the position box ("后缀", "前缀"), "：", the affix edit.
struct TAffixRow {
    QComboBox* Position;
    QLineEdit* Affix;
};
TAffixRow AddAffixRow(QGridLayout* grid, int row, const char* comboName, const char* editName, const QString& affix);

// The "快速创建" / "高质量创建" pair of the thumbnail pages; high quality is selected.
struct TQualityPair {
    QRadioButton* Fast;
    QRadioButton* HighQuality;
};
TQualityPair AddQualityPair(QVBoxLayout* layout, QWidget* parent, const char* fastName, const char* highQualityName);

}  // namespace quillane
