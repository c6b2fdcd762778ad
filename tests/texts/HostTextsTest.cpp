#include "texts/HostTexts.h"

#include <gtest/gtest.h>

#include <string>

#include "jobs/JobTexts.h"
#include "jobs/ReasonTexts.h"
#include "jobs/StoppedRun.h"

namespace quillane {
namespace {

struct TShownCase {
    const char* what;
    std::string engine;   // as the engine writes it
    std::string english;  // as an English host shows it
};

// A Chinese host shows every text byte for byte as the engine wrote it.
void ExpectShown(const TShownCase& c, std::string (THostTexts::*show)(const std::string&) const)
{
    SCOPED_TRACE(c.what);
    const THostTexts english(TLanguage::lgEnglish);
    const THostTexts chinese(TLanguage::lgChinese);
    ASSERT_TRUE(english.Loaded());
    EXPECT_EQ((english.*show)(c.engine), c.english);
    EXPECT_EQ((chinese.*show)(c.engine), c.engine);
}

TEST(HostTextsTest, ResultLinesKeepTheirPathAndTranslateTheOutcome)
{
    const TShownCase cases[] = {
        {"success", std::string("/p/a.jpg") + kThumbSucceeded, "/p/a.jpg: thumbnail created"},
        {"failure", std::string("/p/a.jpg") + kThumbFailed, "/p/a.jpg: thumbnail failed"},
        {"the single-side job's own full stop", std::string("/p/a.jpg") + kSideSucceeded,
         "/p/a.jpg: thumbnail created"},
        {"a path that itself ends like an outcome", std::string("/p/") + kThumbSucceeded + ".jpg" + kNotCropped,
         std::string("/p/") + kThumbSucceeded + ".jpg: crop failed"},
        {"no outcome at all", "/p/a.jpg", "/p/a.jpg"},
    };
    for (const TShownCase& c : cases)
        ExpectShown(c, &THostTexts::ResultLine);
}

TEST(HostTextsTest, MessagesAreTranslatedAndKeepTheFolderTheyName)
{
    const TShownCase cases[] = {
        {"closing message", kProcessingFinished, "Done."},
        {"question", kThumbFolderMissing, "The thumbnail folder does not exist. Create it?"},
        {"folder after the text", std::string(kCannotMakeFolder) + "/out/子目录", "Cannot create folder: /out/子目录"},
        {"a text of the toolkit's own", "'12a' is not a valid integer value", "'12a' is not a valid integer value"},
    };
    for (const TShownCase& c : cases)
        ExpectShown(c, &THostTexts::Message);
}

TEST(HostTextsTest, TheStoppedRunLineKeepsItsCounts)
{
    const TShownCase cases[] = {
        {"counts", StoppedRunLine(3, 12), "Stopped: 3 files processed, 12 items of the list not reached."},
        {"zero", StoppedRunLine(0, 0), "Stopped: 0 files processed, 0 items of the list not reached."},
    };
    for (const TShownCase& c : cases)
        ExpectShown(c, &THostTexts::StopLine);
}

TEST(HostTextsTest, FailureReasonsKeepTheLibrarysDetail)
{
    const THostTexts english(TLanguage::lgEnglish);
    const THostTexts chinese(TLanguage::lgChinese);
    const TFailure withDetail{TReason::rsDamaged, "jpeg: premature end\nof file"};
    const TFailure withoutDetail{TReason::rsOutOfMemory, ""};
    EXPECT_EQ(english.Failure(withDetail), "The file is damaged and cannot be decoded (jpeg: premature end of file)");
    EXPECT_EQ(english.Failure(withoutDetail), "Out of memory");
    EXPECT_EQ(chinese.Failure(withDetail), FailureText(withDetail));
}

}  // namespace
}  // namespace quillane
