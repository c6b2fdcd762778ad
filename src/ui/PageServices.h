#pragma once

#include <QString>

namespace quillane {

class TDialogs;

// What an operation page needs of the main window beyond its own fields.
class TPageServices {
public:
    virtual ~TPageServices() = default;
    // The modal dialogs; none while the window is being built.
    virtual TDialogs* PageDialogs() const = 0;
    // The folder selected in the main window's folder tree, or empty.
    virtual QString SelectedTreeFolder() const = 0;
};

}  // namespace quillane
