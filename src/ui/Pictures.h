#pragma once

#include <QPixmap>

namespace quillane {

// The small pictures of the dialogs, drawn in code so no image files ship with the program.

// 32 x 32: a white question mark on a green disc (overwrite prompt).
QPixmap QuestionPicture();

// 32 x 32: a tilted photograph (program icon, about box).
QPixmap ProgramPicture();

// 12 x 40: the bracket linking the two percentage fields while they are kept equal.
QPixmap LinkPicture();

}  // namespace quillane
