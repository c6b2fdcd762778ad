#pragma once

class QKeyEvent;
class QLineEdit;

namespace quillane {

// Whether a typed key may reach a digit field: a digit 0 to 9 or backspace; every
// other character (letters, signs, the decimal point, blanks, control characters) is
// discarded. Keys that type no character (arrows, Delete, Shift+Insert) and the editing
// shortcuts Ctrl+A, Ctrl+C, Ctrl+V and Ctrl+X pass, so pasting is possible and the
// jobs' own checks see such text.
bool DigitFilterAccepts(const QKeyEvent& event);

// Puts the digit filter on `edit`; `maxLength` 0 means no length limit.
void AcceptDigitsOnly(QLineEdit* edit, int maxLength = 0);

}  // namespace quillane
