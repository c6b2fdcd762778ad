// quillane-batch rename, convert, crop and watermark on folders of generated
// pictures: the files written, the result lines and the exit status.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "cli/BatchCommand.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class FileJobCommands : public GraphicsTest {
protected:
    void SetUp() override
    {
        source_ = File("src");
        out_ = File("out");
        fs::create_directories(source_);
        fs::create_directories(out_);
    }
    // Runs quillane-batch with the arguments; nobody sits at the terminal.
    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "quillane-batch");
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        out_text_.str({});
        err_text_.str({});
        std::istringstream in;
        return RunBatchCommand(static_cast<int>(argv.size()), argv.data(), out_text_, err_text_, in, false, false);
    }
    std::vector<std::string> OutLines() const
    {
        std::vector<std::string> lines;
        std::istringstream text(out_text_.str());
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    std::vector<std::string> Names(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Src() const { return source_.string(); }
    std::string Out() const { return out_.string(); }

    fs::path source_, out_;
    std::ostringstream out_text_, err_text_;
};

TEST_F(FileJobCommands, ConvertPutsTheAffixBeforeTheNewExtension)
{
    MakePicture(source_ / "a.png", 40, 30, {0, 0, 255});
    ASSERT_EQ(Run({"convert", Src(), "--out", Out(), "--affix", "_x", "--to", "gif"}), 0) << err_text_.str();
    EXPECT_EQ(FormatOf(out_ / "a_x.gif"), "gif");
    EXPECT_EQ(OutLines(), std::vector<std::string>{(source_ / "a.png").string() + "类型转换成功！"});

    ASSERT_EQ(Run({"convert", Src(), "--out", Out(), "--affix", "new_", "--prefix", "--to", "bmp"}), 0);
    EXPECT_EQ(FormatOf(out_ / "new_a.bmp"), "bmp");
    EXPECT_EQ(SizeOf(out_ / "new_a.bmp"), (TPictureSize{40, 30}));
}

TEST_F(FileJobCommands, ConvertNeedsATypeFromTheBox)
{
    MakePicture(source_ / "a.png", 8, 8, {0, 0, 0});
    EXPECT_EQ(Run({"convert", Src(), "--out", Out()}), 2);
    EXPECT_EQ(Run({"convert", Src(), "--out", Out(), "--to", "jfif"}), 2);
    EXPECT_TRUE(Names(out_).empty());
}

TEST_F(FileJobCommands, CropDefaultsCutTheTopLeft100By100)
{
    WritePicture(CoordinateImage(300, 200), source_ / "a.jpg", "", "[Q=100]");
    ASSERT_EQ(Run({"crop", Src(), "--out", Out()}), 0) << err_text_.str();
    EXPECT_EQ(Names(out_), std::vector<std::string>{"a_c.jpg"});
    EXPECT_EQ(FormatOf(out_ / "a_c.jpg"), "jpeg");
    EXPECT_EQ(SizeOf(out_ / "a_c.jpg"), (TPictureSize{100, 100}));
    const TPixel pixel = PixelAt(out_ / "a_c.jpg", 70, 40);
    EXPECT_TRUE(Near(pixel, {70, 40, 128}, 12)) << Describe(pixel);
    EXPECT_EQ(OutLines(), std::vector<std::string>{(source_ / "a.jpg").string() + "剪裁完成！"});
}

TEST_F(FileJobCommands, CropWithoutASizeDoesNotStart)
{
    MakePicture(source_ / "a.png", 8, 8, {0, 0, 0});
    for (const auto& size : std::vector<std::vector<std::string>>{{"--width", "0"}, {"--height", ""}}) {
        std::vector<std::string> args{"crop", Src(), "--out", Out()};
        args.insert(args.end(), size.begin(), size.end());
        EXPECT_EQ(Run(args), 2) << size[0];
        EXPECT_NE(err_text_.str().find("--width and --height"), std::string::npos);
        EXPECT_TRUE(OutLines().empty());
    }
    EXPECT_TRUE(Names(out_).empty());
}

TEST_F(FileJobCommands, WatermarkSkipsPicturesNarrowerThanTheMinimumWidth)
{
    MakePicture(source_ / "a.png", 640, 20, {255, 255, 255});
    ASSERT_EQ(Run({"watermark", Src(), "--out", Out(), "--text", "Q", "--x", "0", "--y", "0", "--min-width", "800"}),
              1);
    EXPECT_EQ(OutLines(), std::vector<std::string>{(source_ / "a.png").string() + "增加水印标签失败！"});
    EXPECT_TRUE(Names(out_).empty());
    EXPECT_NE(err_text_.str().find("水印添加完成！"), std::string::npos);

    ASSERT_EQ(Run({"watermark", Src(), "--out", Out(), "--text", "Q", "--size", "30", "--colour", "FF0000", "--x", "0",
                   "--y", "0", "--origin", "top-left"}),
              0)
        << err_text_.str();
    EXPECT_EQ(Names(out_), std::vector<std::string>{"a_w.png"});
    const vips::VImage stamped = ReadPicture(out_ / "a_w.png");
    EXPECT_LT(MeanOf(stamped, 0, 0, 20, 20)[1], 250.0);  // some red text in the top-left corner
    EXPECT_TRUE(Near(PixelAt(stamped, 600, 10), {255, 255, 255}, 0));
}

TEST_F(FileJobCommands, WatermarkPositionIsAskedForWhenNotGiven)
{
    MakePicture(source_ / "a.png", 40, 20, {255, 255, 255});
    EXPECT_EQ(Run({"watermark", Src(), "--out", Out(), "--text", "Q"}), 2);
    EXPECT_NE(err_text_.str().find("请输入水印标签位置！"), std::string::npos);
}

TEST_F(FileJobCommands, RenameNumbersInListOrderKeepingExtensions)
{
    MakePicture(source_ / "a.png", 8, 8, {0, 0, 0});
    MakePicture(source_ / "b.jpg", 8, 8, {0, 0, 0});
    MakePicture(source_ / "c.JPG", 8, 8, {0, 0, 0});
    ASSERT_EQ(Run({"rename", Src(), "--name-prefix", "img"}), 0) << err_text_.str();
    EXPECT_EQ(Names(source_), (std::vector<std::string>{"img0.png", "img1.jpg", "img2.JPG"}));
    EXPECT_EQ(OutLines(), (std::vector<std::string>{(source_ / "a.png").string() + "重命名成功！",
                                                    (source_ / "b.jpg").string() + "重命名成功！",
                                                    (source_ / "c.JPG").string() + "重命名成功！"}));
}

TEST_F(FileJobCommands, RenamedFolderItemsUseUpIndexes)
{
    fs::create_directories(source_ / "d1");
    fs::create_directories(source_ / "d2");
    MakePicture(source_ / "d1" / "x.png", 8, 8, {0, 0, 0});
    MakePicture(source_ / "a.png", 8, 8, {0, 0, 0});
    ASSERT_EQ(Run({"rename", Src(), "--subfolders", "--name-prefix", "img"}), 0) << err_text_.str();
    EXPECT_EQ(Names(source_), (std::vector<std::string>{"d1", "d2", "img2.png"}));
    EXPECT_EQ(Names(source_ / "d1"), std::vector<std::string>{"img0.png"});
}

TEST_F(FileJobCommands, RandomTagsAreThreeCharactersOfTheAlphabet)
{
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) {
        MakePicture(source_ / name, 8, 8, {0, 0, 0});
    }
    const int status = Run({"rename", Src(), "--name-prefix", "img", "--random"});
    const std::regex shape("img[0-9a-z]{3}\\.png");
    for (const std::string& name : Names(source_)) {
        EXPECT_TRUE(std::regex_match(name, shape)) << name;
    }
    // Four distinct tags unless two draws of 46656 met; then the line says so.
    EXPECT_EQ(status, Names(source_).size() == 4 ? 0 : 1);
}

TEST_F(FileJobCommands, RenameOntoAnExistingNameLeavesBothFiles)
{
    MakePicture(source_ / "a.png", 8, 8, {255, 0, 0});
    MakePicture(source_ / "img0.png", 8, 8, {0, 255, 0});
    const std::string before = ReadBytes(source_ / "img0.png");
    EXPECT_EQ(Run({"rename", Src(), "--name-prefix", "img"}), 1);
    EXPECT_EQ(OutLines().front(), (source_ / "a.png").string() + "重命名失败！");
    EXPECT_TRUE(fs::exists(source_ / "a.png"));
    EXPECT_EQ(ReadBytes(source_ / "img1.png"), before);  // img0.png took the next number
}

TEST_F(FileJobCommands, RenameTakesNoOutputOptions)
{
    MakePicture(source_ / "a.png", 8, 8, {0, 0, 0});
    EXPECT_EQ(Run({"rename", Src(), "--out", Out()}), 2);
    EXPECT_EQ(Names(source_), std::vector<std::string>{"a.png"});
}

}  // namespace
}  // namespace quillane::test
