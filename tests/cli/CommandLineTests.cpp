// quillane-batch run as a user runs it, on folders of generated pictures.
#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "cli/BatchProcess.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const TPixel kRed{255, 0, 0};
const std::string kDone = "处理完成！";

class CommandLine : public GraphicsTest {
protected:
    fs::path Src(const std::string& name = "") const { return folder_.Path() / "src" / name; }
    fs::path Out(const std::string& name = "") const { return folder_.Path() / "out" / name; }
    TBatchResult Run(std::vector<std::string> arguments)
    {
        arguments.push_back("src");
        return RunBatch(arguments, folder_.Path());
    }
    void MakeFiveFormats()
    {
        fs::create_directories(Src());
        MakePicture(Src("a.jpg"), 40, 20, kRed);
        MakePicture(Src("b.png"), 40, 20, kRed);
        MakePicture(Src("c.bmp"), 40, 20, kRed);
        MakePicture(Src("d.gif"), 40, 20, kRed);
        MakePicture(Src("e.tif"), 40, 20, kRed);
        MakePicture(Src("notes.txt"), 4, 4, kRed, "png");  // not a picture by its name
    }
    std::string Line(const std::string& name, const std::string& text) const { return Src(name).string() + text; }
};

TEST_F(CommandLine, PercentRunWritesEveryFormatAndLogsOneLinePerFile)
{
    MakeFiveFormats();
    const TBatchResult result = Run({"percent", "--width", "50", "--height", "25", "--out", "out", "--yes"});
    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    const std::string ok = "创建缩略图成功！";
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{Line("a.jpg", ok), Line("b.png", ok), Line("c.bmp", ok),
                                                           Line("d.gif", ok), Line("e.tif", ok)}));
    EXPECT_EQ(result.ErrLines(), (std::vector<std::string>{"缩略图输出路径不存在，是否创建？", kDone}));
    const std::vector<std::pair<std::string, std::string>> written{
        {"a_s.jpg", "jpeg"}, {"b_s.png", "png"}, {"c_s.bmp", "bmp"}, {"d_s.gif", "gif"}, {"e_s.tif", "tiff"}};
    for (const auto& [name, format] : written) {
        EXPECT_EQ(FormatOf(Out(name)), format) << name;
        EXPECT_EQ(SizeOf(Out(name)), (TPictureSize{20, 5})) << name;
    }
    EXPECT_EQ(folder_.Entries().size(), 2u);  // src and out, nothing else
}

TEST_F(CommandLine, SubFoldersAreMirroredOnlyWhenIncluded)
{
    fs::create_directories(Src("2008/Trip"));
    MakePicture(Src("top.png"), 30, 30, kRed);
    MakePicture(Src("2008/x.jpg"), 30, 30, kRed);
    MakePicture(Src("2008/Trip/y.png"), 30, 30, kRed);

    const TBatchResult flat = Run({"pixel", "--width", "10", "--height", "12", "--out", "out", "--yes", "--fast"});
    EXPECT_EQ(flat.ExitStatus, 0) << flat.Err;
    EXPECT_EQ(flat.OutLines().size(), 1u);
    EXPECT_FALSE(fs::exists(Out("2008")));

    const TBatchResult deep =
        Run({"pixel", "--width", "10", "--height", "12", "--out", "out", "--subfolders", "--overwrite", "yes"});
    EXPECT_EQ(deep.ExitStatus, 0) << deep.Err;
    const std::string ok = "创建缩略图成功！";
    EXPECT_EQ(deep.OutLines(),
              (std::vector<std::string>{Line("2008/x.jpg", ok), Line("2008/Trip/y.png", ok), Line("top.png", ok)}));
    EXPECT_EQ(SizeOf(Out("2008/x_s.jpg")), (TPictureSize{10, 12}));
    EXPECT_EQ(SizeOf(Out("2008/Trip/y_s.png")), (TPictureSize{10, 12}));
}

TEST_F(CommandLine, ExistingTargetIsLeftAloneWhenOverwritingIsRefused)
{
    MakeFiveFormats();
    fs::create_directories(Out());
    WriteBytes(Out("a_s.jpg"), "keep me");
    const TBatchResult refused =
        Run({"percent", "--width", "50", "--height", "50", "--out", "out", "--overwrite", "no"});
    EXPECT_EQ(refused.ExitStatus, 1);
    EXPECT_EQ(refused.OutLines().front(), Line("a.jpg", "创建缩略图失败！"));
    EXPECT_EQ(refused.OutLines().at(1), Line("b.png", "创建缩略图成功！"));
    EXPECT_EQ(ReadBytes(Out("a_s.jpg")), "keep me");
    EXPECT_EQ(refused.ErrLines().back(), kDone);

    // Without a terminal the default "ask" is answered No, without waiting.
    const TBatchResult asked = Run({"percent", "--width", "50", "--height", "50", "--out", "out"});
    EXPECT_EQ(asked.ExitStatus, 1);
    EXPECT_EQ(ReadBytes(Out("a_s.jpg")), "keep me");
    EXPECT_NE(asked.Err.find("要创建的文件已存在，是否覆盖？"), std::string::npos);

    const TBatchResult replaced =
        Run({"percent", "--width", "50", "--height", "50", "--out", "out", "--overwrite", "yes"});
    EXPECT_EQ(replaced.ExitStatus, 0);
    EXPECT_EQ(FormatOf(Out("a_s.jpg")), "jpeg");
}

TEST_F(CommandLine, RefusedFieldsStopWithTheirMessageAndStatusTwo)
{
    MakeFiveFormats();
    fs::create_directories(Out());
    const struct {
        std::vector<std::string> Arguments;
        std::string Message;
    } rows[] = {
        {{"percent", "--width", "0", "--height", "50", "--out", "out"}, "请正确设置缩略图创建规则！"},
        {{"percent", "--width", "12a", "--height", "50", "--out", "out"}, "'12a' is not a valid integer value"},
        {{"percent", "--width", "50", "--out", "out"}, "请正确设置缩略图创建规则！"},
        {{"pixel", "--width", "50", "--height", "50"}, "请输入缩略图存放目录？"},
        {{"side", "--out", "out"}, "请选择创建缩略图的方式！"},
        {{"side", "--width", "0", "--out", "out"}, "请正确设置缩略图创建规则！"},
        {{"percent", "--width", "5", "--height", "5", "--out", "out", "--types", "gif", "--subfolders", "--overwrite",
          "yes"},
         ""},  // the one run that passes: a contrast for the rows above
    };
    for (const auto& row : rows) {
        const TBatchResult result = Run(row.Arguments);
        if (row.Message.empty()) {
            EXPECT_EQ(result.ExitStatus, 0) << result.Err;
            continue;
        }
        EXPECT_EQ(result.ExitStatus, 2) << row.Message;
        EXPECT_EQ(result.ErrLines(), std::vector<std::string>{row.Message});
        EXPECT_EQ(result.Out, "");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(Out()), fs::directory_iterator()), 1);  // only d_s.gif
}

TEST_F(CommandLine, MissingOutputFolderIsCreatedOnlyWhenAllowed)
{
    MakeFiveFormats();
    const TBatchResult refused = Run({"percent", "--width", "50", "--height", "50", "--out", "out"});
    EXPECT_EQ(refused.ExitStatus, 2);
    EXPECT_EQ(refused.ErrLines(), std::vector<std::string>{"缩略图输出路径不存在，是否创建？"});
    EXPECT_FALSE(fs::exists(Out()));

    const TBatchResult deep = Run({"percent", "--width", "50", "--height", "50", "--out", "out/deeper", "--yes"});
    EXPECT_EQ(deep.ExitStatus, 2);
    EXPECT_EQ(deep.ErrLines().back(), "不能新建目录，请检查输入是否正确！");
    EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(CommandLine, WrongArgumentsExitWithStatusTwo)
{
    MakeFiveFormats();
    const std::vector<std::vector<std::string>> rows{
        {"shrink", "--width", "5"},
        {"pixel", "--width", "5", "--height", "5", "--mode", "stretch", "--out", "out"},
        {"pixel", "--width", "5", "--height", "5", "--fill", "red", "--out", "out"},
        {"side", "--width", "5", "--height", "5", "--out", "out"},
        {"percent", "--types", "jpeg,jfif", "--out", "out"},
        {"percent", "--overwrite", "maybe"},
    };
    for (const auto& arguments : rows) {
        EXPECT_EQ(Run(arguments).ExitStatus, 2) << arguments.at(0) << " " << arguments.at(arguments.size() - 1);
    }
    EXPECT_EQ(RunBatch({"percent", "--width", "5", "--height", "5", "--out", "out", "--yes", "nowhere"}, folder_.Path())
                  .ExitStatus,
              2);
    EXPECT_EQ(RunBatch({"percent"}, folder_.Path()).ExitStatus, 2);
    EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(CommandLine, TypesAffixAndPositionShapeTheTargets)
{
    MakeFiveFormats();
    const TBatchResult result = Run({"percent", "--width", "50", "--height", "50", "--out", "out", "--yes", "--types",
                                     "png,gif", "--affix", "t_", "--prefix"});
    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.OutLines().size(), 2u);
    EXPECT_TRUE(fs::exists(Out("t_b.png")));
    EXPECT_TRUE(fs::exists(Out("t_d.gif")));
    EXPECT_FALSE(fs::exists(Out("t_a.jpg")));
}

TEST_F(CommandLine, FillModeUsesTheGivenColour)
{
    fs::create_directories(Src());
    MakePicture(Src("tall.png"), 20, 40, kRed);
    const TBatchResult result = Run(
        {"pixel", "--width", "40", "--height", "40", "--mode", "fill", "--fill", "00FF00", "--out", "out", "--yes"});
    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(SizeOf(Out("tall_s.png")), (TPictureSize{40, 40}));
    const TPixel edge = PixelAt(Out("tall_s.png"), 0, 20);
    const TPixel middle = PixelAt(Out("tall_s.png"), 20, 20);
    EXPECT_TRUE(Near({edge[0], edge[1], edge[2]}, {0, 255, 0}, 8)) << Describe(edge);
    EXPECT_TRUE(Near({middle[0], middle[1], middle[2]}, kRed, 8)) << Describe(middle);
}

TEST_F(CommandLine, SingleSideSkipsSmallerSourcesWithItsOwnLine)
{
    fs::create_directories(Src());
    MakePicture(Src("narrow.png"), 8, 30, kRed);
    MakePicture(Src("wide.png"), 40, 30, kRed);
    const TBatchResult result = Run({"side", "--width", "20", "--skip-smaller", "--out", "out", "--yes"});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(result.OutLines(),
              (std::vector<std::string>{Line("narrow.png", "没有创建缩略图。"), Line("wide.png", "创建缩略图成功。")}));
    EXPECT_EQ(ReadBytes(Out("narrow_s.png")), ReadBytes(Src("narrow.png")));  // an unchanged copy
    EXPECT_EQ(SizeOf(Out("wide_s.png")), (TPictureSize{20, 15}));
}

}  // namespace
}  // namespace quillane::test
