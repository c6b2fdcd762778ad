#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>

#include <optional>

#include "jobs/JobHost.h"

class QMessageBox;
class QUrl;
class QWidget;

namespace quillane {

class TfrmAbout;
class TfrmPath;
class TfrmRewrite;

// What the font dialog returns: the font with its styles, and the chosen colour.
struct TFontChoice {
    QFont Font;
    QColor Colour;
};

// The font dialog's choice before the first pick: the window font, MS Sans Serif of
// 8 points, regular, in the window-text colour.
TFontChoice InitialFontChoice();

// Every modal question the window asks goes through this seam, so tests can answer it.
class TDialogs {
public:
    virtual ~TDialogs() = default;

    // A box titled "Quillane" owned by the main window, in the given style.
    virtual TMessageAnswer ShowMessage(const QString& text, TMessageStyle style) = 0;
    // The general error display: a critical box with the error text.
    virtual void ShowError(const QString& text) = 0;
    virtual TOverwriteAnswer AskOverwrite() = 0;
    // The folder chooser's chosen path: empty when nothing was chosen.
    virtual QString ChooseFolder() = 0;
    virtual void ShowAbout() = 0;
    // The choosers of the pages. Each opens on the choice last made in it since start
    // and returns nothing (or an empty path) on Cancel.
    virtual std::optional<QColor> ChooseColor() = 0;
    virtual std::optional<TFontChoice> ChooseFont() = 0;
    virtual QString ChoosePictureFile() = 0;
    // The desktop's "open" action on a file, folder, web page or mail address.
    virtual void OpenUrl(const QUrl& url) = 0;
    // Closes whatever modal box is showing with its "no" answer (the window is closing).
    virtual void AnswerPending() = 0;
};

// The real dialogs: the overwrite prompt, the folder chooser and the about box are
// created once, in that order, and shown again and again.
class TModalDialogs : public TDialogs {
public:
    explicit TModalDialogs(QWidget* mainWindow);
    ~TModalDialogs() override;
    TModalDialogs(const TModalDialogs&) = delete;
    TModalDialogs& operator=(const TModalDialogs&) = delete;

    TMessageAnswer ShowMessage(const QString& text, TMessageStyle style) override;
    void ShowError(const QString& text) override;
    TOverwriteAnswer AskOverwrite() override;
    QString ChooseFolder() override;
    void ShowAbout() override;
    std::optional<QColor> ChooseColor() override;
    std::optional<TFontChoice> ChooseFont() override;
    QString ChoosePictureFile() override;
    void OpenUrl(const QUrl& url) override;
    void AnswerPending() override;

private:
    int ExecBox(QMessageBox& box);

    QWidget* mainWindow_;
    TfrmRewrite* frmRewrite_;
    TfrmPath* frmPath_;
    TfrmAbout* frmAbout_;
    QPointer<QMessageBox> pendingBox_;
    // The choosers' memory of their last choice (ChooserDialogs.cpp).
    QColor lastColour_ = Qt::black;
    bool customColoursSet_ = false;
    TFontChoice lastFont_ = InitialFontChoice();
    QString lastPicture_;
};

}  // namespace quillane
