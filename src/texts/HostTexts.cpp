#include "texts/HostTexts.h"

#include <QRegularExpression>
#include <QString>

#include <filesystem>
#include <system_error>

#include "jobs/EngineTexts.h"
#include "jobs/ReasonTexts.h"

namespace quillane {

namespace {

constexpr const char* kEngineContext = "Engine";

const TEngineText* EntryOf(const std::string& chinese)
{
    for (const TEngineText& entry : EngineTexts()) {
        if (entry.Chinese == chinese)
            return &entry;
    }
    return nullptr;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The table entry the line ends with; the longest, should one text end another.
const TEngineText* EndingOf(const std::string& line)
{
    const TEngineText* found = nullptr;
    for (const TEngineText& entry : EngineTexts()) {
        if (EndsWith(line, entry.Chinese) && (found == nullptr || entry.Chinese.size() > found->Chinese.size()))
            found = &entry;
    }
    return found;
}

bool IsCountPattern(const TEngineText& entry)
{
    return entry.Chinese.find("%1") != std::string::npos && entry.Chinese.find("%2") != std::string::npos;
}

// A text with two counts as a pattern whose counts are groups of digits.
QRegularExpression CountPattern(const std::string& text)
{
    const QString chinese = QString::fromStdString(text);
    const qsizetype first = chinese.indexOf(QStringLiteral("%1"));
    const qsizetype second = chinese.indexOf(QStringLiteral("%2"));
    const QString digits = QStringLiteral("(\\d+)");
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(chinese.left(first)) + digits +
                              QRegularExpression::escape(chinese.mid(first + 2, second - first - 2)) + digits +
                              QRegularExpression::escape(chinese.mid(second + 2)) + QLatin1Char('$'));
}

}  // namespace

std::string TranslationsFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path installed = program.parent_path() / ".." / "share" / "quillane" / "translations";
    if (!error && std::filesystem::is_directory(installed, error))
        return installed.lexically_normal().string();
    return QUILLANE_TRANSLATIONS_BUILD_DIR;
}

THostTexts::THostTexts(TLanguage language) : language_(language)
{
    if (language_ == TLanguage::lgEnglish)
        loaded_ = catalogue_.load(QStringLiteral("quillane_en"), QString::fromStdString(TranslationsFolder()));
}

std::string THostTexts::Translated(const std::string& id, const std::string& chinese) const
{
    if (language_ == TLanguage::lgChinese)
        return chinese;
    const QString english = catalogue_.translate(kEngineContext, chinese.c_str(), id.c_str());
    return english.isEmpty() ? chinese : english.toStdString();
}

TTextLookup THostTexts::Lookup() const
{
    return [this](const std::string& id, const std::string& chinese) { return Translated(id, chinese); };
}

std::string THostTexts::Message(const std::string& text) const
{
    if (language_ == TLanguage::lgChinese)
        return text;
    if (const TEngineText* entry = EntryOf(text))
        return Translated(entry->Id, entry->Chinese);
    // A text followed by the folder it names.
    for (const TEngineText& entry : EngineTexts()) {
        if (EndsWith(entry.Chinese, ":") && text.rfind(entry.Chinese, 0) == 0)
            return Translated(entry.Id, entry.Chinese) + ' ' + text.substr(entry.Chinese.size());
    }
    return StopLine(text);
}

std::string THostTexts::ResultLine(const std::string& line) const
{
    if (language_ == TLanguage::lgChinese)
        return line;
    const TEngineText* outcome = EndingOf(line);
    if (outcome == nullptr)
        return line;
    const std::string path = line.substr(0, line.size() - outcome->Chinese.size());
    return path + ": " + Translated(outcome->Id, outcome->Chinese);
}

std::string THostTexts::StopLine(const std::string& line) const
{
    if (language_ == TLanguage::lgChinese)
        return line;
    for (const TEngineText& entry : EngineTexts()) {
        if (!IsCountPattern(entry))
            continue;
        const QRegularExpressionMatch match = CountPattern(entry.Chinese).match(QString::fromStdString(line));
        if (match.hasMatch()) {
            const QString english = QString::fromStdString(Translated(entry.Id, entry.Chinese));
            return english.arg(match.captured(1), match.captured(2)).toStdString();
        }
    }
    return line;
}

std::string THostTexts::Failure(const TFailure& failure) const
{
    const std::string chinese = FailureText(failure);
    if (language_ == TLanguage::lgChinese)
        return chinese;
    const std::string reason = ReasonText(failure.Reason);
    const TEngineText* entry = EntryOf(reason);
    std::string english = entry ? Translated(entry->Id, reason) : reason;
    // The detail keeps its words (the library's own); only its brackets change.
    const std::string open = "（";
    const std::string close = "）";
    std::string detail = chinese.substr(reason.size());
    if (detail.rfind(open, 0) == 0 && EndsWith(detail, close))
        english += " (" + detail.substr(open.size(), detail.size() - open.size() - close.size()) + ")";
    return english;
}

}  // namespace quillane
