// quillane-screenshot FILE [PAGE [FOLDER [effect] [FIELD=TEXT]...]]: starts the main window
// as the program does, shows operation page PAGE (0 to 6, default 0), lists FOLDER with
// its first picture in the preview ("effect": the effect preview), fills in the named
// fields, and saves a picture of the window to FILE.
// Used to keep the pictures in docs/screenshots up to date.
#include "imaging/GraphicsLibrary.h"
#include "ui/AppInfo.h"
#include "ui/Dialogs.h"
#include "ui/FrmMain.h"
#include "ui/ShellListView.h"
#include "ui/ShellTreeView.h"
#include "ui/SourceBrowser.h"
#include "ui/SourceListModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillane-screenshot FILE [PAGE [FOLDER [effect] [FIELD=TEXT]...]]\n");
        return 2;
    }
    quillane::TGraphicsSession graphics(argv[0]);
    QApplication app(argc, argv);
    QApplication::setApplicationName(quillane::kAppTitle);
    quillane::TfrmMain frmMain;
    quillane::TModalDialogs dialogs(&frmMain);
    frmMain.SetDialogs(&dialogs);
    if (argc > 2) {
        if (auto* pages = frmMain.findChild<QTabWidget*>(QStringLiteral("PageControl1")))
            pages->setCurrentIndex(std::atoi(argv[2]));
    }
    for (int arg = 4; arg < argc; ++arg) {
        const QString option = QString::fromLocal8Bit(argv[arg]);
        const qsizetype equals = option.indexOf(QLatin1Char('='));
        if (option == QStringLiteral("effect")) {
            frmMain.findChild<QAbstractButton*>(QStringLiteral("RbEffect"))->click();
        } else if (auto* field = frmMain.findChild<QLineEdit*>(option.left(equals)); field && equals > 0) {
            field->setText(option.mid(equals + 1));
        } else {
            std::fprintf(stderr, "quillane-screenshot: no field %s\n", argv[arg]);
            return 2;
        }
    }
    frmMain.show();
    if (argc > 3) {
        frmMain.findChild<quillane::TShellTreeView*>(QStringLiteral("ShellTreeView1"))
            ->SelectPath(QString::fromLocal8Bit(argv[3]));
        frmMain.Browser()->UpdateCaption();
        quillane::TShellListView* list = frmMain.Browser()->List();
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (!list->Model().Item(row).IsFolder) {
                list->setCurrentIndex(list->model()->index(row, 0));
                emit list->clicked(list->currentIndex());
                break;
            }
        }
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    // Give the folder tree and the list a moment to fill before the picture is taken.
    QTimer::singleShot(1500, &app, [&] {
        status = frmMain.grab().save(file) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    frmMain.SetDialogs(nullptr);
    return status;
}
