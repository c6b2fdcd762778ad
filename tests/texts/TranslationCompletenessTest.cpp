// Every text the engine shows has a finished English translation, and a text added to
// the engine later fails here until the translation file has it.
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

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
        for (const char* placeholder : {"%1", "%2"}) {
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

// Linguist marks a text it has not seen translated as unfinished, and one whose source
// went away as vanished or obsolete; a catalogue with either is not done.
TEST(TranslationCompletenessTest, TheTranslationFilesHaveNoUnfinishedEntry)
{
    for (const char* name : {"translations/quillane_en.ts"}) {
        SCOPED_TRACE(name);
        QFile file(QString::fromStdString(std::string(QUILLANE_SOURCE_DIR) + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        int messages = 0;
        while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QStringLiteral("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QStringLiteral("translation")) {
                ++messages;
                const QString type = xml.attributes().value(QStringLiteral("type")).toString();
                EXPECT_TRUE(type.isEmpty()) << type.toStdString() << ": " << source.toStdString();
                EXPECT_FALSE(xml.readElementText().trimmed().isEmpty()) << "empty: " << source.toStdString();
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
        EXPECT_GT(messages, 0);
    }
}

}  // namespace
}  // namespace quillane
