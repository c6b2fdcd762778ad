// What a script reads from quillane-batch: result lines it can split, and JSON lines.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "TestPictures.h"
#include "cli/BatchProcess.h"
#include "cli/JsonLines.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const std::string kOk = "创建缩略图成功！";
const std::string kFailed = "创建缩略图失败！";

class ResultLinesCommand : public SourceAndOutFolders {
protected:
    TBatchResult Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"percent", "--width", "50", "--height", "50", "--out", "out"});
        arguments.push_back("src");
        return RunBatch(arguments, folder_.Path());
    }
};

// The inverse of the escape of result lines, as a script would write it.
std::string Decoded(const std::string& line)
{
    std::string text;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != '\\') {
            text += line[at];
        } else if (line[at + 1] == 'x') {
            text += static_cast<char>(std::stoi(line.substr(at + 2, 2), nullptr, 16));
            at += 3;
        } else {
            text += line[at + 1] == 'n' ? '\n' : line[at + 1] == 't' ? '\t' : line[at + 1];
            ++at;
        }
    }
    return text;
}

std::vector<nlohmann::json> Objects(const TBatchResult& result)
{
    std::vector<nlohmann::json> objects;
    for (const std::string& line : result.OutLines()) {
        objects.push_back(nlohmann::json::parse(line));
    }
    return objects;
}

TEST_F(ResultLinesCommand, OneLinePerFileThatDecodesBackToItsName)
{
    const struct {
        std::string Name;
        std::string Shown;  // the name as its line shows it
    } rows[] = {
        {"plain 图.png", "plain 图.png"},
        {"forged.png创建缩略图成功！\nforged.png", "forged.png创建缩略图成功！\\nforged.png"},
        {"tab\there.png", "tab\\there.png"},
        {"back\\slash.png", "back\\\\slash.png"},
        {"bell\x07\x1b[2J.png", "bell\\x07\\x1b[2J.png"},
        {"caf\xe9.png", "caf\xe9.png"},  // not UTF-8, yet no control character: as it is
    };
    for (const auto& row : rows) {
        MakePicture(Src(row.Name), 8, 8, {0, 0, 255});
    }
    const TBatchResult result = Run({"--yes"});
    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    std::vector<std::string> lines = result.OutLines();
    ASSERT_EQ(lines.size(), std::size(rows)) << result.Out;
    for (const auto& row : rows) {
        const std::string expected = Src().string() + row.Shown + kOk;
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected << "\n" << result.Out;
        EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                               [&](const std::string& line) { return Decoded(line) == Src(row.Name).string() + kOk; }),
                  lines.end())
            << row.Shown;
    }
}

TEST_F(ResultLinesCommand, JsonGivesOneObjectPerFileAndAClosingObject)
{
    MakePicture(Src("a.png"), 40, 20, {255, 0, 0});
    MakePicture(Src("b\nc.jpg"), 40, 20, {255, 0, 0});
    WriteBytes(Src("broken.gif"), "no picture");
    MakePicture(Src("caf\xe9.bmp"), 40, 20, {255, 0, 0});
    const auto freshOut = [this] {
        fs::remove_all(Out());
        fs::create_directories(Out());
        WriteBytes(Out("a_s.png"), "keep");
    };

    freshOut();
    const TBatchResult plain = Run({});  // the default "ask": without a terminal, No
    freshOut();
    const TBatchResult json = Run({"--json"});
    EXPECT_EQ(json.ExitStatus, plain.ExitStatus);
    EXPECT_EQ(json.ExitStatus, 1);
    EXPECT_EQ(ReadBytes(Out("a_s.png")), "keep");

    const std::vector<nlohmann::json> objects = Objects(json);
    ASSERT_EQ(objects.size(), plain.OutLines().size() + 1) << json.Out;
    const struct {
        std::string Source;
        std::string Target;
        bool Ok;
        nlohmann::json Code;
    } files[] = {
        {"a.png", "a_s.png", false, "target-exists"},
        {"b\nc.jpg", "b\nc_s.jpg", true, nullptr},
        {"broken.gif", "broken_s.gif", false, "unsupported"},
        {"caf\\xe9.bmp", "caf\\xe9_s.bmp", true, nullptr},  // the escaped byte form
    };
    for (std::size_t i = 0; i < std::size(files); ++i) {
        const nlohmann::json& object = objects[i];
        EXPECT_EQ(object.at("source"), Src().string() + files[i].Source) << object;
        EXPECT_EQ(object.at("target"), "out/" + files[i].Target) << object;
        EXPECT_EQ(object.at("ok"), files[i].Ok) << object;
        EXPECT_EQ(object.at("code"), files[i].Code) << object;
        EXPECT_EQ(object.at("reason").is_string(), !files[i].Ok) << object;
        EXPECT_GE(object.at("ms").get<double>(), 0.0);
        EXPECT_EQ(object.contains("source_escaped"), files[i].Source.find("\\x") != std::string::npos) << object;
    }
    const nlohmann::json& closing = objects.back();
    EXPECT_EQ(closing.at("closing"), true);
    EXPECT_EQ(closing.at("files"), 4);
    EXPECT_EQ(closing.at("succeeded"), 2);
    EXPECT_EQ(closing.at("failed"), 2);
    EXPECT_EQ(closing.at("stopped"), false);
    EXPECT_EQ(closing.at("message"), "处理完成！");
    EXPECT_EQ(json.Err, plain.Err);  // the messages stay where they were
}

TEST_F(ResultLinesCommand, JsonOfARunThatDoesNotStartIsEmpty)
{
    MakePicture(Src("a.png"), 4, 4, {0, 0, 0});
    fs::remove(Out());
    const TBatchResult json = Run({"--json"});
    EXPECT_EQ(json.ExitStatus, 2);
    EXPECT_EQ(json.Out, "");
    EXPECT_EQ(json.ErrLines(), std::vector<std::string>{"缩略图输出路径不存在，是否创建？"});
}

TEST(JsonText, OnlyWellFormedUtf8IsWrittenAsItIs)
{
    const struct {
        std::string Bytes;
        std::string Written;  // empty: as it is
    } rows[] = {
        {"a\\plain", ""},
        {"图片 ✓ 😀", ""},
        {"\xc3\xa9", ""},                                    // é
        {"a\\\xe9", "a\\\\\\xe9"},                           // é in Latin-1, after a backslash
        {"\xc0\xaf", "\\xc0\\xaf"},                          // an overlong "/"
        {"\xe0\x80\xaf", "\\xe0\\x80\\xaf"},                 // another
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},                 // a surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},        // above U+10FFFF
        {"\xe5\x9b\xbe\xe5\x9b", "\xe5\x9b\xbe\\xe5\\x9b"},  // cut short after a whole character
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsValidUtf8(row.Bytes), row.Written.empty()) << row.Bytes;
        const std::string line = TJsonObject().Text("name", row.Bytes).Line();
        const nlohmann::json object = nlohmann::json::parse(line);
        EXPECT_EQ(object.at("name"), row.Written.empty() ? row.Bytes : row.Written) << line;
        EXPECT_EQ(object.contains("name_escaped"), !row.Written.empty()) << line;
    }
}

}  // namespace
}  // namespace quillane::test
