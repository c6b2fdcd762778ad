// Every text the engine shows has a finished English translation, and a text added to
// the engine later fails here until the translation file has it.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "jobs/EngineTexts.h"
#include "jobs/ReasonTexts.h"
#include "texts/HostTexts.h"

namespace quillane {
namespace {

std::string SourceFile(const std::string& relative)
{
    std::ifstream in(std::string(QUILLANE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The string literals of a source file that hold a character beyond ASCII; comments
// are left out.
std::vector<std::string> NonAsciiLiterals(const std::string& code)
{
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    static const QRegularExpression comment(QStringLiteral("//[^\n]*"));
    std::vector<std::string> found;
    auto matches = literal.globalMatch(QString::fromStdString(code).remove(comment));
    while (matches.hasNext()) {
        const QString text = matches.next().captured(1);
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x7f; }))
            found.push_back(text.toStdString());
    }
    return found;
}

// One entry of a catalogue: its source text, its translation and the translation's type
// (empty when finished).
struct TCatalogueEntry {
    std::string Source;
    std::string Type;
    std::string Translation;
};

struct TCatalogue {
    std::vector<TCatalogueEntry> Entries;
    std::string Error;  // the XML's fault, if any
};

TCatalogue ReadCatalogue(const QString& path)
{
    TCatalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.Error = "cannot open " + path.toStdString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString source;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QStringLiteral("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QStringLiteral("translation")) {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            catalogue.Entries.push_back(
                {source.toStdString(), type.toStdString(), xml.readElementText().toStdString()});
        }
    }
    if (xml.hasError())
        catalogue.Error = xml.errorString().toStdString() + " at line " + std::to_string(xml.lineNumber());
    return catalogue;
}

bool HasChinese(const std::string& text)
{
    const QString unicode = QString::fromStdString(text);
    return std::any_of(unicode.begin(), unicode.end(), [](QChar c) {
        return (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff) || (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
    });
}

TEST(TranslationCompletenessTest, EveryEngineTextHasAFinishedEnglishTranslation)
{
    const THostTexts english(TLanguage::lgEnglish);
    ASSERT_TRUE(english.Loaded()) << "no English catalogue in " << TranslationsFolder();
    for (const TEngineText& text : EngineTexts()) {
        SCOPED_TRACE(text.Id);
        const std::string translated = english.Translated(text.Id, text.Chinese);
        EXPECT_FALSE(translated.empty());
        EXPECT_FALSE(HasChinese(translated)) << translated;
        for (const char* placeholder : {"%1", "%2", "%3"}) {
            EXPECT_EQ(text.Chinese.find(placeholder) != std::string::npos,
                      translated.find(placeholder) != std::string::npos)
                << placeholder << " in " << translated;
        }
    }
}

TEST(TranslationCompletenessTest, EveryTextTheEngineDefinesIsInTheTable)
{
    std::set<std::string> table;
    std::vector<std::string> patterns;  // a text built around counts is defined in pieces
    for (const TEngineText& text : EngineTexts()) {
        table.insert(text.Chinese);
        if (text.Chinese.find("%1") != std::string::npos)
            patterns.push_back(text.Chinese);
    }
    const auto inTable = [&](const std::string& text) {
        return table.count(text) > 0 || std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                   return pattern.find(text) != std::string::npos;
               });
    };
    std::vector<std::string> defined = NonAsciiLiterals(SourceFile("src/jobs/JobTexts.h"));
    for (int reason = static_cast<int>(TReason::rsNone) + 1; reason <= static_cast<int>(TReason::rsUnexpected);
         ++reason)
        defined.push_back(ReasonText(static_cast<TReason>(reason)));
    ASSERT_GT(defined.size(), 40u);
    for (const std::string& text : defined)
        EXPECT_TRUE(inTable(text)) << "not in the engine's text table: " << text;
}

// A text the engine or the command line writes outside the table never reaches the
// host's translation: every Chinese literal of their sources must be a whole text of
// the table (a text with counts or names in it is a pattern of the table). The two files left out hold the reason
// texts (checked above, reason by reason) and the conversion page's type captions,
// which the window translates as its own.
TEST(TranslationCompletenessTest, NoChineseTextOfTheEngineOrCommandLineBypassesTheTable)
{
    const std::set<std::string> leftOut = {"src/jobs/ReasonTexts.cpp", "src/jobs/ConvertJob.cpp"};
    std::set<std::string> table;
    for (const TEngineText& text : EngineTexts())
        table.insert(text.Chinese);
    std::size_t files = 0;
    for (const char* folder : {"src/jobs", "src/cli"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(QUILLANE_SOURCE_DIR) + "/" + folder)) {
            const std::string relative = std::string(folder) + "/" + entry.path().filename().string();
            if (leftOut.count(relative) > 0)
                continue;
            ++files;
            for (const std::string& literal : NonAsciiLiterals(SourceFile(relative))) {
                if (HasChinese(literal)) {
                    EXPECT_EQ(table.count(literal), 1u) << relative << ": " << literal;
                }
            }
        }
    }
    EXPECT_GT(files, 50u);
}

// Linguist marks a text it has not seen translated as unfinished, and one whose source
// went away as vanished or obsolete; a catalogue with either is not done.
TEST(TranslationCompletenessTest, TheTranslationFilesHaveNoUnfinishedEntry)
{
    for (const char* name : {"translations/quillane_en.ts", "translations/quillane_window_en.ts"}) {
        SCOPED_TRACE(name);
        const TCatalogue catalogue =
            ReadCatalogue(QString::fromStdString(std::string(QUILLANE_SOURCE_DIR) + "/" + name));
        for (const TCatalogueEntry& entry : catalogue.Entries) {
            EXPECT_TRUE(entry.Type.empty()) << entry.Type << ": " << entry.Source;
            EXPECT_FALSE(QString::fromStdString(entry.Translation).trimmed().isEmpty()) << "empty: " << entry.Source;
        }
        EXPECT_TRUE(catalogue.Error.empty()) << catalogue.Error;
        EXPECT_GT(catalogue.Entries.size(), 0u);
    }
}

// The window's catalogue is what lupdate makes of the window's sources: run over a copy,
// lupdate finds no text that is new (unfinished) or gone (vanished, obsolete).
TEST(TranslationCompletenessTest, TheWindowCatalogueHasEveryTextOfTheWindowsSources)
{
    const QString committed = QStringLiteral(QUILLANE_SOURCE_DIR "/translations/quillane_window_en.ts");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("quillane_window_en.ts"));
    ASSERT_TRUE(QFile::copy(committed, copy));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(QUILLANE_LUPDATE),
                  QString::fromUtf8(QUILLANE_WINDOW_LUPDATE_ARGS).split(QLatin1Char('|')) +
                      QStringList{QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    const std::string output = lupdate.readAll().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << output;

    const TCatalogue updated = ReadCatalogue(copy);
    ASSERT_TRUE(updated.Error.empty()) << updated.Error;
    const TCatalogue before = ReadCatalogue(committed);
    EXPECT_EQ(updated.Entries.size(), before.Entries.size()) << output;
    EXPECT_GT(updated.Entries.size(), 100u);
    for (const TCatalogueEntry& entry : updated.Entries) {
        EXPECT_TRUE(entry.Type.empty()) << entry.Type << ": \"" << entry.Source
                                        << "\" (run the update_translations target and translate it)";
    }
}

}  // namespace
}  // namespace quillane
