// quillane-batch speaks the locale's language: English under an English locale,
// Chinese (byte for byte the program's own lines) under C, POSIX or a Chinese locale;
// --lang overrides the locale.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "BatchProcess.h"
#include "LocaleEnvironment.h"
#include "SourceAndOutFolders.h"
#include "TestPictures.h"

namespace quillane::test {
namespace {

class LanguageCommand : public SourceAndOutFolders {
protected:
    void SetUp() override
    {
        SourceAndOutFolders::SetUp();
        WritePicture(NoiseImage(40, 30), Src("good.jpg"));
        WriteBytes(Src("bad.png"), "not a picture");
    }
    TBatchResult Run(const std::map<std::string, std::string>& locale, const std::vector<std::string>& lang = {})
    {
        std::filesystem::remove_all(Out());
        const TLocaleEnvironment environment(locale);
        std::vector<std::string> arguments = lang;
        for (const char* argument : {"percent", "--width", "50", "--height", "50", "--out", "out", "--yes", "src"})
            arguments.push_back(argument);
        return RunBatch(arguments, folder_.Path());
    }
    std::string Path(const std::string& name) const { return Src(name).string(); }
};

struct TLocaleCase {
    const char* what;
    std::map<std::string, std::string> locale;
    std::vector<std::string> lang;
    bool english;
};

TEST_F(LanguageCommand, ResultLinesAndMessagesFollowTheLocaleOrLang)
{
    const TLocaleCase cases[] = {
        {"English locale", {{"LANG", "en_US.UTF-8"}}, {}, true},
        {"LC_ALL over LANG", {{"LC_ALL", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, {}, true},
        {"C locale", {{"LANG", "C"}}, {}, false},
        {"C.UTF-8 locale", {{"LANG", "C.UTF-8"}}, {}, false},
        {"no locale", {}, {}, false},
        {"Chinese locale", {{"LANG", "zh_CN.UTF-8"}}, {}, false},
        {"--lang zh under English", {{"LANG", "en_US.UTF-8"}}, {"--lang", "zh"}, false},
        {"--lang en under C", {{"LANG", "C"}}, {"--lang", "en"}, true},
    };
    const std::vector<std::string> chinese = {Path("bad.png") + "创建缩略图失败！",
                                              Path("good.jpg") + "创建缩略图成功！"};
    const std::vector<std::string> english = {Path("bad.png") + ": thumbnail failed",
                                              Path("good.jpg") + ": thumbnail created"};
    for (const TLocaleCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TBatchResult result = Run(c.locale, c.lang);
        EXPECT_EQ(result.ExitStatus, 1);
        EXPECT_EQ(result.OutLines(), c.english ? english : chinese);
        const std::vector<std::string> messages = result.ErrLines();
        ASSERT_EQ(messages.size(), 3u) << result.Err;
        EXPECT_EQ(messages[0],
                  c.english ? "The thumbnail folder does not exist. Create it?" : "缩略图输出路径不存在，是否创建？");
        EXPECT_EQ(messages[1],
                  Path("bad.png") + (c.english ? ": Not a supported picture format" : ": 不是支持的图片格式"));
        EXPECT_EQ(messages[2], c.english ? "Done." : "处理完成！");
    }
}

TEST_F(LanguageCommand, HelpAndUsageErrorsStayEnglishInEveryLocale)
{
    const TLocaleEnvironment chinese(std::map<std::string, std::string>{{"LANG", "zh_CN.UTF-8"}});
    const TBatchResult badLang = RunBatch({"--lang", "fr", "percent", "src"}, folder_.Path());
    EXPECT_EQ(badLang.ExitStatus, 2);
    EXPECT_NE(badLang.Err.find("--lang"), std::string::npos) << badLang.Err;
    const TBatchResult help = RunBatch({"--help"}, folder_.Path());
    EXPECT_EQ(help.ExitStatus, 0);
    EXPECT_NE(help.Out.find("--lang"), std::string::npos) << help.Out;
}

}  // namespace
}  // namespace quillane::test
