#pragma once

#include <QDialog>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Dialogs.h"

class QTemporaryDir;

namespace quillane {

class TfrmMain;

// Test classes register themselves; `ui_tests NAME` runs one, `ui_tests` all.
using TUiTestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterUiTest(const char* name, TUiTestFactory factory);

#define QUILLANE_UI_TEST(Class)                            \
    [[maybe_unused]] static const bool Class##Registered = \
        ::quillane::RegisterUiTest(#Class, [] { return std::make_unique<Class>(); })

// Spins the event loop until `done` holds; false when `timeoutMs` passed first.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// A folder that is removed with everything in it at the end of the test.
class TTestFolder {
public:
    TTestFolder();
    ~TTestFolder();
    std::filesystem::path Path() const;
    QString QPath() const;
    std::filesystem::path File(const std::string& name) const { return Path() / name; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

// A picture written by the toolkit in the format its extension names (jpg, png, bmp).
void WritePicture(const std::filesystem::path& file, const QImage& picture);
QImage SolidPicture(int width, int height, QColor colour);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Width and height as stored in the file; (-1, -1) when unreadable.
QSize StoredSize(const std::filesystem::path& file);

// A scripted stand-in for every modal dialog: records what was asked and answers from
// its queues (OK, "是" for Yes/No boxes and the overwrite prompt when a queue is empty).
class TFakeDialogs : public TDialogs {
public:
    struct TMessage {
        QString Text;
        TMessageStyle Style;
    };

    std::vector<TMessage> Messages;
    std::vector<QString> Errors;
    std::vector<QUrl> OpenedUrls;
    int OverwritePrompts = 0;
    int AboutShown = 0;
    int PendingAnswered = 0;
    std::deque<TMessageAnswer> MessageAnswers;
    std::deque<TOverwriteAnswer> OverwriteAnswers;
    QString FolderToChoose;
    // The page choosers: how often each was opened and what it answers (empty: Cancel).
    int ColourDialogs = 0;
    int FontDialogs = 0;
    int PictureDialogs = 0;
    std::optional<QColor> ColourToChoose;
    std::optional<TFontChoice> FontToChoose;
    QString PictureToChoose;
    // Called while a prompt "is showing", to look at the window at that moment.
    std::function<void()> OnOverwritePrompt;

    TMessageAnswer ShowMessage(const QString& text, TMessageStyle style) override;
    void ShowError(const QString& text) override;
    TOverwriteAnswer AskOverwrite() override;
    QString ChooseFolder() override { return FolderToChoose; }
    void ShowAbout() override { ++AboutShown; }
    std::optional<QColor> ChooseColor() override;
    std::optional<TFontChoice> ChooseFont() override;
    QString ChoosePictureFile() override;
    void OpenUrl(const QUrl& url) override { OpenedUrls.push_back(url); }
    void AnswerPending() override { ++PendingAnswered; }

    QStringList MessageTexts() const;
};

// Names as the file list shows them, in list order.
QStringList ListedNames(const TfrmMain& window);

// Points the window's folder tree (and so its list) at `folder`.
void ShowFolder(TfrmMain& window, const std::filesystem::path& folder);

// Runs `answer` on the next modal dialog, then closes it with `result` if still open.
void AnswerNextDialog(std::function<void(QDialog*)> answer, int result = QDialog::Accepted);

}  // namespace quillane
