#include "imaging/GraphicsLibrary.h"
#include "ui/AppInfo.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/settings/SettingsLocation.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    // The image library first, before any window; it is shut down last.
    quillane::TGraphicsSession graphics(argv[0]);
    if (!graphics.Started()) {
        std::fprintf(stderr, "quillane: the image library could not be started\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(quillane::kAppTitle);
    // The desktop entry and the icon theme give the window its name and icon on the desktop.
    QApplication::setDesktopFileName(QStringLiteral("org.quillane.Quillane"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quillane.Quillane")));
    quillane::TfrmMain frmMain(nullptr, quillane::LocateSettingsFile());
    quillane::TModalDialogs dialogs(&frmMain);
    frmMain.SetDialogs(&dialogs);
    // "quillane FOLDER" or "quillane FILE...": what a file manager's "open with" passes.
    frmMain.OpenPaths(QCoreApplication::arguments().mid(1));
    frmMain.show();
    const int status = QApplication::exec();
    frmMain.SetDialogs(nullptr);
    return status;
}
