#pragma once

#include "UiTestSupport.h"

#include "ui/FrmMain.h"
#include "ui/OperationPage.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QString>

#include <filesystem>

namespace quillane {

// A main window answered by scripted dialogs, with its controls found by name.
struct TPageWindow {
    TfrmMain Window;
    TFakeDialogs Dialogs;

    explicit TPageWindow(std::filesystem::path settingsFile = {}) : Window(nullptr, std::move(settingsFile))
    {
        Window.SetDialogs(&Dialogs);
    }
    ~TPageWindow() { Window.SetDialogs(nullptr); }

    template <typename TControl>
    TControl* Get(const char* name) const
    {
        auto* control = Window.findChild<TControl*>(QString::fromUtf8(name));
        if (control == nullptr)
            qFatal("the window has no control %s", name);
        return control;
    }

    // Presses a start button and waits until its run has ended; false when the checks
    // stopped it or the run did not end.
    bool Run(const char* startButton)
    {
        QSignalSpy finished(&Window, &TfrmMain::RunFinished);
        Get<QAbstractButton>(startButton)->click();
        if (finished.count() == 0 && !Window.JobRunning())
            return false;
        return finished.count() > 0 || finished.wait(60000);
    }
};

}  // namespace quillane
