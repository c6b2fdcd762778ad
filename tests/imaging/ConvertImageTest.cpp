#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/BmpWriter.h"
#include "imaging/Convert.h"
#include "imaging/ConvertSteps.h"

namespace quillane {
namespace {

using test::CoordinateImage;
using test::FormatOf;
using test::MakePicture;
using test::PixelAt;
using test::ReadBytes;
using test::ReadPicture;
using test::SizeOf;
using test::TPixel;
using test::WritePicture;

// Points the system temporary folder at a folder of the test while it lives.
class TTemporaryFolderOverride {
public:
    explicit TTemporaryFolderOverride(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv("TMPDIR"))
            previous_ = old;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TTemporaryFolderOverride()
    {
        if (previous_)
            ::setenv("TMPDIR", previous_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> previous_;
};

// The conversion's saving step as an encoder that refuses one picture: the first JPEG
// save fails, later ones go through the real step. Our JPEG encoder takes practically
// every TIFF, so this is how the fallback is reached. The watcher sees the source of
// every JPEG save that goes through, while it still exists.
class TRefusingSaver {
public:
    explicit TRefusingSaver(std::function<void(const std::filesystem::path&)> watcher = {})
        : watcher_(std::move(watcher))
    {
    }

    TSaveDecoded Step()
    {
        return [this](const TPath& source, const TPath& target, int format, bool overwrite) {
            if (format != ifJpeg)
                return SaveDecoded(source, target, format, overwrite);
            if (++jpegSaves_ == 1)
                return TOutcome::Failure(TReason::rsCannotEncode);
            if (watcher_)
                watcher_(source);
            return SaveDecoded(source, target, format, overwrite);
        };
    }
    int JpegSaves() const { return jpegSaves_; }

private:
    std::function<void(const std::filesystem::path&)> watcher_;
    int jpegSaves_ = 0;
};

std::vector<std::string> Entries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class ConvertImageTest : public test::GraphicsTest {
protected:
    std::filesystem::path Coordinates(const std::string& name, int width = 40, int height = 30)
    {
        WritePicture(CoordinateImage(width, height), File(name));
        return File(name);
    }
};

// A BMP is written a strip of rows at a time, bottom-up; a picture of several strips,
// the last one short, with and without alpha, has exactly the bytes of one encoding.
TEST_F(ConvertImageTest, WritesABmpOfSeveralStripsAsOneEncodingDoes)
{
    for (const int bands : {3, 4}) {
        vips::VImage picture = CoordinateImage(1500, 1100).cast(VIPS_FORMAT_UCHAR);
        if (bands == 4)
            picture = picture.bandjoin(picture.extract_band(0));
        WritePicture(picture, File("strips.png"));
        ASSERT_TRUE(ConvertImage(File("strips.png"), File("strips.bmp"), ifBmp, true)) << bands;
        std::size_t size = 0;
        void* pixels = picture.write_to_memory(&size);
        const std::string encoded = EncodeBmp(static_cast<const std::uint8_t*>(pixels), 1500, 1100, bands);
        g_free(pixels);
        ASSERT_GT(encoded.size(), std::size_t{4} << 20);
        EXPECT_TRUE(ReadBytes(File("strips.bmp")) == encoded) << bands;
    }
}

TEST_F(ConvertImageTest, WritesEachFormat)
{
    const auto source = Coordinates("source.png");
    const struct {
        int format;
        const char* target;
        const char* expected;
    } cases[] = {
        {ifBmp, "out.bmp", "bmp"}, {ifJpeg, "out.jpg", "jpeg"}, {ifGif, "out.gif", "gif"}, {ifTiff, "out.tif", "tiff"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(ConvertImage(source, File(c.target), c.format, false)) << c.target;
        EXPECT_EQ(FormatOf(File(c.target)), c.expected);
        EXPECT_EQ(SizeOf(File(c.target)), (test::TPictureSize{40, 30})) << c.target;
    }
    // Lossless formats hold the very pixels.
    EXPECT_EQ(PixelAt(File("out.bmp"), 17, 23), (TPixel{17, 23, 128}));
    EXPECT_EQ(PixelAt(File("out.tif"), 39, 29), (TPixel{39, 29, 128}));

    // The format decides, not the target's name.
    ASSERT_TRUE(ConvertImage(source, File("named.jpg"), ifPng, false));
    EXPECT_EQ(FormatOf(File("named.jpg")), "png");
}

TEST_F(ConvertImageTest, SourceAlreadyInTheFormatIsCopiedByteForByte)
{
    MakePicture(File("photo.JPEG"), 30, 20, {10, 120, 200});
    ASSERT_TRUE(ConvertImage(File("photo.JPEG"), File("copy.jpg"), ifJpeg, false));
    EXPECT_EQ(ReadBytes(File("copy.jpg")), ReadBytes(File("photo.JPEG")));

    // Even a file that is no picture: nothing is decoded.
    test::WriteBytes(File("odd.TIF"), "bytes that no decoder reads");
    ASSERT_TRUE(ConvertImage(File("odd.TIF"), File("odd-copy.tiff"), ifTiff, false));
    EXPECT_EQ(ReadBytes(File("odd-copy.tiff")), "bytes that no decoder reads");
}

TEST_F(ConvertImageTest, ExistingTargetNeedsOverwriteAndTheSameFileIsLeftAsItIs)
{
    const auto source = Coordinates("same.png");
    const std::string before = ReadBytes(source);
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    test::WriteBytes(File("target.png"), "old");
    std::filesystem::permissions(File("target.png"), std::filesystem::perms::owner_read);
    EXPECT_FALSE(ConvertImage(source, File("target.png"), ifPng, false));
    EXPECT_EQ(ReadBytes(File("target.png")), "old");
    ASSERT_TRUE(ConvertImage(source, File("target.png"), ifPng, true));
    EXPECT_EQ(ReadBytes(File("target.png")), before);

    EXPECT_FALSE(ConvertImage(source, source, ifJpeg, false));
    EXPECT_TRUE(ConvertImage(source, source, ifJpeg, true));
    EXPECT_TRUE(ConvertImage(source, folder_.Path() / "." / "same.png", ifBmp, true));
    EXPECT_EQ(ReadBytes(source), before);
    const auto permissions = std::filesystem::status(source).permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_write, std::filesystem::perms::none);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"same.png", "target.png"}));
}

TEST_F(ConvertImageTest, FailuresWriteNothing)
{
    const auto source = Coordinates("source.png");
    EXPECT_FALSE(ConvertImage(source, File("a.out"), 9, false));
    EXPECT_FALSE(ConvertImage(source, File("b.out"), -1, false));
    test::WriteBytes(File("broken.png"), "no picture here");
    EXPECT_FALSE(ConvertImage(File("broken.png"), File("c.jpg"), ifJpeg, false));
    EXPECT_FALSE(ConvertImage(File("missing.gif"), File("d.png"), ifPng, false));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"broken.png", "source.png"}));
}

TEST_F(ConvertImageTest, RefusedTiffReachesJpegThroughAPrivateTemporaryBitmapThatGoes)
{
    std::filesystem::create_directory(File("tmp"));
    const TTemporaryFolderOverride temporary(File("tmp"));
    const auto source = Coordinates("scan.tiff", 36, 24);
    int watched = 0;
    TRefusingSaver saver([&](const std::filesystem::path& bitmap) {
        ++watched;
        EXPECT_EQ(bitmap.parent_path(), File("tmp"));
        EXPECT_EQ(Entries(File("tmp")), std::vector<std::string>{bitmap.filename().string()});
        EXPECT_EQ(ModeOf(bitmap), 0600u);
        EXPECT_EQ(FormatOf(bitmap), "bmp");
        EXPECT_EQ(PixelAt(bitmap, 35, 23), (TPixel{35, 23, 128}));
    });
    ASSERT_TRUE(ConvertImageWith(saver.Step(), source, File("scan.jpg"), ifJpeg, false));
    EXPECT_EQ(watched, 1);
    EXPECT_EQ(saver.JpegSaves(), 2);
    EXPECT_EQ(FormatOf(File("scan.jpg")), "jpeg");
    EXPECT_EQ(SizeOf(File("scan.jpg")), (test::TPictureSize{36, 24}));
    EXPECT_TRUE(test::Near(PixelAt(File("scan.jpg"), 20, 12), {20, 12, 128}, 6));
    EXPECT_TRUE(Entries(File("tmp")).empty());
}

TEST_F(ConvertImageTest, AFailedFallbackLeavesNothingBehindEither)
{
    std::filesystem::create_directory(File("tmp"));
    const TTemporaryFolderOverride temporary(File("tmp"));
    const auto source = Coordinates("scan.tif", 12, 8);
    test::WriteBytes(File("broken.tif"), "no picture here");
    const struct {
        std::filesystem::path source, target;
    } cases[] = {{source, File("missing-folder") / "scan.jpg"}, {File("broken.tif"), File("broken.jpg")}};
    for (const auto& c : cases) {
        TRefusingSaver saver;
        EXPECT_FALSE(ConvertImageWith(saver.Step(), c.source, c.target, ifJpeg, false)) << c.target;
        EXPECT_FALSE(std::filesystem::exists(c.target));
        EXPECT_TRUE(Entries(File("tmp")).empty()) << c.target;
    }
}

// Each fallback has its own temporary bitmap: no picture ends up in another's target.
TEST_F(ConvertImageTest, ConcurrentFallbacksEachWriteTheirOwnPicture)
{
    std::filesystem::create_directory(File("tmp"));
    const TTemporaryFolderOverride temporary(File("tmp"));
    const TPixel colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    constexpr int kRuns = 4;
    for (int i = 0; i < kRuns; ++i)
        WritePicture(test::SolidImage(40 + 8 * i, 30, colours[i]), File("s" + std::to_string(i) + ".tif"));
    bool converted[kRuns] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < kRuns; ++i) {
        threads.emplace_back([&, i] {
            const std::string name = "s" + std::to_string(i);
            TRefusingSaver saver;
            converted[i] = static_cast<bool>(
                ConvertImageWith(saver.Step(), File(name + ".tif"), File(name + ".jpg"), ifJpeg, false));
            vips_thread_shutdown();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < kRuns; ++i) {
        const auto target = File("s" + std::to_string(i) + ".jpg");
        ASSERT_TRUE(converted[i]) << i;
        EXPECT_EQ(SizeOf(target), (test::TPictureSize{40 + 8 * i, 30})) << i;
        EXPECT_TRUE(test::Near(PixelAt(target, 20, 15), colours[i], 8)) << i;
    }
    EXPECT_TRUE(Entries(File("tmp")).empty());
}

TEST_F(ConvertImageTest, RefusedBitmapHasNoSecondTry)
{
    const TTemporaryFolderOverride temporary(folder_.Path());
    WritePicture(CoordinateImage(20, 10), File("plain.bmp"));
    TRefusingSaver saver;
    EXPECT_FALSE(ConvertImageWith(saver.Step(), File("plain.bmp"), File("plain.jpg"), ifJpeg, false));
    EXPECT_EQ(saver.JpegSaves(), 1);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"plain.bmp"});
    // The real encoder takes the same picture.
    EXPECT_TRUE(ConvertImage(File("plain.bmp"), File("plain.jpg"), ifJpeg, false));
}

TEST_F(ConvertImageTest, MultiFrameSourceGivesItsFirstFrameInAnotherFormat)
{
    // Two 16 x 10 frames: red, then blue.
    const vips::VImage frames =
        test::SolidImage(16, 10, {255, 0, 0}).join(test::SolidImage(16, 10, {0, 0, 255}), VIPS_DIRECTION_VERTICAL);
    vips::VImage animated = frames.copy();
    animated.set("page-height", 10);
    WritePicture(animated, File("moving.gif"));

    ASSERT_TRUE(ConvertImage(File("moving.gif"), File("moving.png"), ifPng, false));
    EXPECT_EQ(SizeOf(File("moving.png")), (test::TPictureSize{16, 10}));
    EXPECT_TRUE(test::Near(PixelAt(File("moving.png"), 8, 5), {255, 0, 0}, 2));

    // To its own format the file is copied, every frame with it.
    ASSERT_TRUE(ConvertImage(File("moving.gif"), File("copy.gif"), ifGif, false));
    EXPECT_EQ(ReadBytes(File("copy.gif")), ReadBytes(File("moving.gif")));
}

}  // namespace
}  // namespace quillane
