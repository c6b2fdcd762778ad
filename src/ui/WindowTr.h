#pragma once

#include <QCoreApplication>

namespace quillane {

// The window's texts are written in Chinese through Window::tr("…"), or marked with
// QT_TRANSLATE_NOOP("Window", "…") in a table and translated where shown; lupdate
// collects both into the context "Window" of translations/quillane_window_en.ts.
class Window {
    Q_DECLARE_TR_FUNCTIONS(Window)
};

}  // namespace quillane
