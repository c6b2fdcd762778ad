#include "UiTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "ui/FrmMain.h"
#include "ui/ShellListView.h"
#include "ui/ShellTreeView.h"
#include "ui/SourceBrowser.h"
#include "ui/SourceListModel.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace quillane {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

TTestFolder::TTestFolder() : dir_(std::make_unique<QTemporaryDir>()) {}

TTestFolder::~TTestFolder()
{
    // The toolkit cannot see names that are not UTF-8, so it could not remove them.
    std::error_code ignored;
    std::filesystem::remove_all(Path(), ignored);
}

std::filesystem::path TTestFolder::Path() const
{
    return std::filesystem::path(QFile::encodeName(dir_->path()).toStdString());
}

QString TTestFolder::QPath() const
{
    return dir_->path();
}

void WritePicture(const std::filesystem::path& file, const QImage& picture)
{
    QFile out(QFile::decodeName(QByteArray::fromStdString(file.string())));
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, file.extension().string().substr(1).c_str()))
        qFatal("cannot write the test picture %s", file.c_str());
}

QImage SolidPicture(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

QSize StoredSize(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() ? reader.size() : QSize(-1, -1);
}

TMessageAnswer TFakeDialogs::ShowMessage(const QString& text, TMessageStyle style)
{
    Messages.push_back({text, style});
    if (style != TMessageStyle::msQuestionYesNo)
        return TMessageAnswer::maOk;
    if (MessageAnswers.empty())
        return TMessageAnswer::maYes;
    const TMessageAnswer answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
}

void TFakeDialogs::ShowError(const QString& text)
{
    Errors.push_back(text);
}

TOverwriteAnswer TFakeDialogs::AskOverwrite()
{
    ++OverwritePrompts;
    if (OnOverwritePrompt)
        OnOverwritePrompt();
    if (OverwriteAnswers.empty())
        return {};
    const TOverwriteAnswer answer = OverwriteAnswers.front();
    OverwriteAnswers.pop_front();
    return answer;
}

std::optional<QColor> TFakeDialogs::ChooseColor()
{
    ++ColourDialogs;
    return ColourToChoose;
}

std::optional<TFontChoice> TFakeDialogs::ChooseFont()
{
    ++FontDialogs;
    return FontToChoose;
}

QString TFakeDialogs::ChoosePictureFile()
{
    ++PictureDialogs;
    return PictureToChoose;
}

QStringList TFakeDialogs::MessageTexts() const
{
    QStringList texts;
    for (const TMessage& message : Messages)
        texts << message.Text;
    return texts;
}

QStringList ListedNames(const TfrmMain& window)
{
    const TSourceListModel& model = window.Browser()->List()->Model();
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.data(model.index(row, TSourceListModel::colName), Qt::DisplayRole).toString();
    return names;
}

void ShowFolder(TfrmMain& window, const std::filesystem::path& folder)
{
    auto* tree = window.findChild<TShellTreeView*>(QStringLiteral("ShellTreeView1"));
    if (!tree->SelectPath(QFile::decodeName(QByteArray::fromStdString(folder.string()))))
        qFatal("the folder tree has no %s", folder.c_str());
}

void AnswerNextDialog(std::function<void(QDialog*)> answer, int result)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, result] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        timer->deleteLater();
        answer(dialog);
        if (dialog->isVisible())
            dialog->done(result);
    });
    timer->start();
}

}  // namespace quillane
