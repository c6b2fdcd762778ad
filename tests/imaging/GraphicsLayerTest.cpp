#include <gtest/gtest.h>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/FreedMemory.h"
#include "imaging/Graphics.h"

namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::PixelAt;
using test::ReadPicture;
using test::TPixel;
using test::WritePicture;

class GraphicsLayer : public test::GraphicsTest {};

TEST_F(GraphicsLayer, LoadsEveryFormatItReadsWithItsSize)
{
    for (const char* name : {"a.jpg", "a.png", "a.gif", "a.tif", "a.bmp"}) {
        MakePicture(File(name), 37, 21, {200, 10, 30});
        const TGPImage image(File(name));
        EXPECT_FALSE(image.IsEmpty()) << name;
        EXPECT_EQ(image.GetWidth(), 37u) << name;
        EXPECT_EQ(image.GetHeight(), 21u) << name;
    }
}

TEST_F(GraphicsLayer, UndecodableMissingOrFolderSourcesAreEmpty)
{
    test::WriteBytes(File("text.jpg"), "this is not a picture");
    test::WriteBytes(File("empty.png"), "");
    std::filesystem::create_directory(File("folder.jpg"));
    for (const char* name : {"text.jpg", "empty.png", "folder.jpg", "missing.jpg"}) {
        const TGPImage image(File(name));
        EXPECT_TRUE(image.IsEmpty()) << name;
        EXPECT_EQ(image.GetWidth(), 0u) << name;
        EXPECT_EQ(image.GetHeight(), 0u) << name;
    }
}

TEST_F(GraphicsLayer, OnlyTheFivePictureFormatsAreReadKnownByTheirContent)
{
    test::WriteBytes(File("drawing.png"),
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"><rect/></svg>");
    test::WriteBytes(File("portable.jpg"), "P6\n2 2\n255\n" + std::string(12, '\x7f'));
    EXPECT_TRUE(TGPImage(File("drawing.png")).IsEmpty());
    EXPECT_TRUE(TGPImage(File("portable.jpg")).IsEmpty());
    EXPECT_TRUE(TGPImage::FromMemory(test::ReadBytes(File("portable.jpg"))).IsEmpty());
    MakePicture(File("png-named.jpg"), 6, 4, {1, 2, 3}, "png");
    EXPECT_EQ(TGPImage(File("png-named.jpg")).GetWidth(), 6u);
}

// A small JPEG whose frame header claims 60000 x 60000 pixels.
TEST_F(GraphicsLayer, AHeaderClaimingAnAbsurdSizeIsRefusedBeforeDecoding)
{
    MakePicture(File("small.jpg"), 16, 16, {1, 2, 3});
    std::string bytes = test::ReadBytes(File("small.jpg"));
    const std::size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    for (const std::size_t at : {frame + 5, frame + 7}) {
        bytes[at] = static_cast<char>(60000 >> 8);
        bytes[at + 1] = static_cast<char>(60000 & 0xff);
    }
    test::WriteBytes(File("giant.jpg"), bytes);
    EXPECT_TRUE(TGPImage(File("giant.jpg")).IsEmpty());
    EXPECT_TRUE(TGPImage::FromMemory(bytes).IsEmpty());
}

TEST_F(GraphicsLayer, NamesWithBracketsLoadAsTheFilesTheyName)
{
    MakePicture(File("a.jpg[1]"), 12, 8, {0, 0, 255}, "jpeg");
    MakePicture(File("x]"), 9, 5, {0, 255, 0}, "png");
    EXPECT_EQ(TGPImage(File("a.jpg[1]")).GetWidth(), 12u);
    EXPECT_EQ(TGPImage(File("x]")).GetHeight(), 5u);
}

TEST_F(GraphicsLayer, ReadsFromMemoryLikeFromAFile)
{
    MakePicture(File("a.png"), 10, 6, {1, 2, 3});
    MakePicture(File("a.bmp"), 11, 7, {1, 2, 3});
    EXPECT_EQ(TGPImage::FromMemory(test::ReadBytes(File("a.png"))).GetWidth(), 10u);
    EXPECT_EQ(TGPImage::FromMemory(test::ReadBytes(File("a.bmp"))).GetHeight(), 7u);
    EXPECT_TRUE(TGPImage::FromMemory("junk").IsEmpty());
}

// A 400 x 200 picture, red on its left half and blue on its right, stored turned
// with an EXIF tag that says how to turn it back, baseline and progressive; its fast
// 40 x 20 thumbnail is decoded at 1/8 of the stored size, before the turn.
TEST_F(GraphicsLayer, PicturesAndFastThumbnailsAreUprightWhateverTheOrientationTag)
{
    const vips::VImage upright = test::SolidImage(200, 200, {255, 0, 0})
                                     .join(test::SolidImage(200, 200, {0, 0, 255}), VIPS_DIRECTION_HORIZONTAL);
    const vips::VImage stored[] = {
        upright,          upright.fliphor(),         upright.rot180(), upright.flipver(), upright.rot90().fliphor(),
        upright.rot270(), upright.rot90().flipver(), upright.rot90()};
    for (int turn = 0; turn < 16; ++turn) {
        const int orientation = turn % 8 + 1;
        const bool progressive = turn >= 8;
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const auto path = File("o" + std::to_string(turn) + ".jpg");
        vips::VImage tagged = stored[orientation - 1].copy();
        tagged.set(VIPS_META_ORIENTATION, orientation);
        WritePicture(tagged, path, "jpeg", progressive ? "[Q=95,interlace=true]" : "[Q=95]");
        const TGPImage image(path);
        ASSERT_EQ(image.GetWidth(), 400u) << orientation;
        ASSERT_EQ(image.GetHeight(), 200u) << orientation;
        ASSERT_TRUE(image.Save(File("out.png"), EncoderForExtension("out.png")));
        EXPECT_TRUE(test::Near(PixelAt(File("out.png"), 50, 100), {255, 0, 0}, 40)) << orientation;
        EXPECT_TRUE(test::Near(PixelAt(File("out.png"), 350, 100), {0, 0, 255}, 40)) << orientation;
        const TGPImage thumbnail = image.GetThumbnail(40, 20);
        ASSERT_TRUE(thumbnail.Save(File("small.png"), EncoderForExtension("small.png")));
        EXPECT_EQ(test::SizeOf(File("small.png")), (test::TPictureSize{40, 20})) << orientation;
        EXPECT_TRUE(test::Near(PixelAt(File("small.png"), 5, 10), {255, 0, 0}, 40)) << orientation;
        EXPECT_TRUE(test::Near(PixelAt(File("small.png"), 35, 10), {0, 0, 255}, 40)) << orientation;
    }
}

TEST_F(GraphicsLayer, SavedFilesKeepTheExifWithTheOrientationReset)
{
    const vips::VImage stored = test::CoordinateImage(30, 50).rot90();  // 50 x 30 on disk
    vips::VImage tagged = stored.copy();
    tagged.set("exif-ifd0-Artist", "Quillane tester (ASCII, 16 components, 16 bytes)");
    test::MakeOrientedJpeg(File("turned.jpg"), tagged, 6);
    const TGPImage image(File("turned.jpg"));
    ASSERT_TRUE(image.Save(File("out.jpg"), EncoderForExtension("out.jpg")));
    const vips::VImage written = ReadPicture(File("out.jpg"));
    EXPECT_EQ(written.width(), 30);
    const int orientation = written.get_typeof("orientation") ? written.get_int("orientation") : 1;
    EXPECT_EQ(orientation, 1);
    ASSERT_NE(written.get_typeof("exif-ifd0-Artist"), 0u);
    EXPECT_NE(std::string(written.get_string("exif-ifd0-Artist")).find("Quillane tester"), std::string::npos);
}

TEST_F(GraphicsLayer, ThumbnailsHaveExactlyTheAskedSize)
{
    WritePicture(test::NoiseImage(1023, 767), File("big.jpg"));
    WritePicture(test::NoiseImage(97, 61), File("small.png"));
    const TGPImage big(File("big.jpg"));
    const TGPImage small(File("small.png"));
    const std::pair<int, int> sizes[] = {{511, 383}, {337, 1534}, {1, 1}, {1023, 1}, {3, 767}, {200, 151}, {999, 2}};
    for (const auto& [w, h] : sizes) {
        const TGPImage thumbnail = big.GetThumbnail(w, h);
        EXPECT_EQ(thumbnail.GetWidth(), static_cast<std::uint32_t>(w)) << w << "x" << h;
        EXPECT_EQ(thumbnail.GetHeight(), static_cast<std::uint32_t>(h)) << w << "x" << h;
    }
    for (int w = 1; w <= 200; w += 13) {
        const TGPImage thumbnail = small.GetThumbnail(w, 200 - w + 1);
        EXPECT_EQ(thumbnail.GetWidth(), static_cast<std::uint32_t>(w));
        EXPECT_EQ(thumbnail.GetHeight(), static_cast<std::uint32_t>(200 - w + 1));
    }
    EXPECT_TRUE(big.GetThumbnail(0, 10).IsEmpty());
    EXPECT_TRUE(TGPImage().GetThumbnail(10, 10).IsEmpty());
}

TEST_F(GraphicsLayer, ANewBitmapIsTransparentBlack)
{
    const TGPBitmap canvas(5, 4);
    ASSERT_EQ(canvas.GetWidth(), 5u);
    ASSERT_TRUE(canvas.Save(File("blank.png"), EncoderForExtension("blank.png")));
    EXPECT_EQ(PixelAt(File("blank.png"), 4, 3), (TPixel{0, 0, 0, 0}));
    EXPECT_TRUE(TGPBitmap(0, 4).IsEmpty());
    EXPECT_TRUE(TGPBitmap(4, -1).IsEmpty());
    EXPECT_FALSE(TGPBitmap(0, 4).Save(File("none.png"), EncoderForExtension("none.png")));
    EXPECT_FALSE(std::filesystem::exists(File("none.png")));
}

TEST_F(GraphicsLayer, FillAndDrawPlaceTheirPixelsWhereAsked)
{
    MakePicture(File("green.png"), 4, 3, {0, 255, 0});
    const TGPImage green(File("green.png"));
    TGPBitmap canvas(10, 8);
    TGPGraphics graphics(canvas);
    ASSERT_TRUE(graphics.FillRectangle(TGPSolidBrush(0xFFFF0000), {0, 0, 10, 8}));
    ASSERT_TRUE(graphics.DrawImage(green, 6, 5));               // 1:1, partly outside
    ASSERT_TRUE(graphics.DrawImage(green, TRect{0, 0, 2, 2}));  // shrunk into a corner
    ASSERT_TRUE(canvas.Save(File("out.png"), EncoderForExtension("out.png")));
    const vips::VImage out = ReadPicture(File("out.png"));
    EXPECT_EQ(out.bands(), 3) << "an opaque result carries no alpha";
    EXPECT_EQ(PixelAt(out, 5, 4), (TPixel{255, 0, 0}));
    EXPECT_EQ(PixelAt(out, 6, 5), (TPixel{0, 255, 0}));
    EXPECT_EQ(PixelAt(out, 9, 7), (TPixel{0, 255, 0}));
    EXPECT_EQ(PixelAt(out, 1, 1), (TPixel{0, 255, 0}));
    EXPECT_EQ(PixelAt(out, 2, 2), (TPixel{255, 0, 0}));
}

TEST_F(GraphicsLayer, DrawingAPartScalesOnlyThatPart)
{
    WritePicture(
        test::SolidImage(10, 10, {255, 0, 0}).join(test::SolidImage(10, 10, {0, 0, 255}), VIPS_DIRECTION_HORIZONTAL),
        File("halves.png"));
    const TGPImage halves(File("halves.png"));
    TGPBitmap canvas(40, 40);
    TGPGraphics graphics(canvas);
    graphics.SetInterpolationMode(imHighQualityBicubic);
    ASSERT_TRUE(graphics.DrawImage(halves, TRect{0, 0, 40, 40}, TRect{10, 0, 10, 10}));
    ASSERT_TRUE(canvas.Save(File("out.png"), EncoderForExtension("out.png")));
    EXPECT_TRUE(test::Near(test::MeanOf(ReadPicture(File("out.png")), 0, 0, 40, 40), {0, 0, 255}, 0.5));
}

TEST_F(GraphicsLayer, ShrinkingFiltersAndKeepsTransparentEdgesClean)
{
    // Fine stripes shrunk ten times average to grey instead of aliasing to one colour.
    const vips::VImage stripes = ((vips::VImage::xyz(400, 400).extract_band(0) % 2) * 255).cast(VIPS_FORMAT_UCHAR);
    WritePicture(vips::VImage::bandjoin({stripes, stripes, stripes})
                     .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB)),
                 File("stripes.png"));
    // White opaque in the middle of a transparent black frame.
    const vips::VImage white = test::SolidImage(40, 40, {255, 255, 255, 255}).embed(20, 20, 80, 80);
    WritePicture(white, File("white.png"));
    TGPBitmap grey(40, 40), edge(16, 16);
    TGPGraphics greyGraphics(grey), edgeGraphics(edge);
    greyGraphics.SetInterpolationMode(imHighQualityBicubic);
    edgeGraphics.SetInterpolationMode(imHighQualityBicubic);
    ASSERT_TRUE(greyGraphics.DrawImage(TGPImage(File("stripes.png")), TRect{0, 0, 40, 40}));
    ASSERT_TRUE(edgeGraphics.DrawImage(TGPImage(File("white.png")), TRect{0, 0, 16, 16}));
    ASSERT_TRUE(grey.Save(File("grey.png"), EncoderForExtension("grey.png")));
    ASSERT_TRUE(edge.Save(File("edge.png"), EncoderForExtension("edge.png")));
    const TPixel mean = test::MeanOf(ReadPicture(File("grey.png")), 2, 2, 36, 36);
    EXPECT_TRUE(test::Near(mean, {127.5, 127.5, 127.5}, 8)) << test::Describe(mean);
    const vips::VImage out = ReadPicture(File("edge.png"));
    ASSERT_EQ(out.bands(), 4);
    for (int x = 0; x < 16; ++x) {
        const TPixel pixel = PixelAt(out, x, 8);
        if (pixel[3] >= 16) {
            EXPECT_GE(pixel[0], 240) << "dark fringe at x " << x << ": " << test::Describe(pixel);
        }
    }
}

TEST_F(GraphicsLayer, EachEncoderWritesItsFormat)
{
    MakePicture(File("src.png"), 8, 6, {10, 200, 30});
    const std::pair<const char*, const char*> cases[] = {
        {"o.jpg", "jpeg"}, {"o.png", "png"}, {"o.gif", "gif"}, {"o.tif", "tiff"}, {"o.bmp", "bmp"}};
    for (const auto& [name, format] : cases) {
        ASSERT_TRUE(TGPImage(File("src.png")).Save(File(name), EncoderForExtension(name))) << name;
        EXPECT_EQ(FormatOf(File(name)), format) << name;
        EXPECT_EQ(test::SizeOf(File(name)), (test::TPictureSize{8, 6})) << name;
        TPixel pixel = PixelAt(File(name), 3, 3);
        pixel.resize(3);  // GIF reads back with an alpha band
        EXPECT_TRUE(test::Near(pixel, {10, 200, 30}, 6)) << name << " " << test::Describe(pixel);
    }
    EXPECT_FALSE(TGPImage(File("src.png")).Save(File("o.jfif"), EncoderForExtension("o.jfif")));
    EXPECT_FALSE(std::filesystem::exists(File("o.jfif")));
}

TEST_F(GraphicsLayer, AlphaIsKeptOnlyWhereSomePixelIsTransparent)
{
    MakePicture(File("opaque.png"), 6, 6, {1, 2, 3, 255});
    MakePicture(File("half.png"), 6, 6, {200, 100, 50, 128});
    for (const char* name : {"o.png", "o.tif", "o.bmp"}) {
        ASSERT_TRUE(TGPImage(File("opaque.png")).Save(File(name), EncoderForExtension(name)));
        EXPECT_EQ(ReadPicture(File(name)).bands(), 3) << name;
        ASSERT_TRUE(TGPImage(File("half.png")).Save(File(name), EncoderForExtension(name)));
        const vips::VImage back = ReadPicture(File(name));
        ASSERT_EQ(back.bands(), 4) << name;
        EXPECT_TRUE(test::Near(PixelAt(back, 2, 2), {200, 100, 50, 128}, 1)) << name;
    }
    ASSERT_TRUE(TGPImage(File("half.png")).Save(File("o.jpg"), EncoderForExtension("o.jpg")));
    EXPECT_TRUE(test::Near(PixelAt(File("o.jpg"), 2, 2), {100, 50, 25}, 6)) << "flattened on black";
    // An opaque alpha band flattened into a JPEG leaves the pixels as dropping it would.
    const vips::VImage rgb = test::CoordinateImage(6, 6);
    WritePicture(rgb, File("rgb.png"));
    WritePicture(rgb.bandjoin_const({255}), File("rgb-alpha.png"));
    ASSERT_TRUE(TGPImage(File("rgb.png")).Save(File("rgb.jpg"), EncoderForExtension("rgb.jpg")));
    ASSERT_TRUE(TGPImage(File("rgb-alpha.png")).Save(File("rgb-alpha.jpg"), EncoderForExtension("rgb-alpha.jpg")));
    EXPECT_EQ(test::ReadBytes(File("rgb-alpha.jpg")), test::ReadBytes(File("rgb.jpg")));
}

// Once drawn on, a picture is no longer what its file holds: scaled, it shows the drawing.
TEST_F(GraphicsLayer, APictureDrawnOnIsScaledWithTheDrawing)
{
    WritePicture(test::SolidImage(1600, 1200, test::kBlue), File("big.jpg"));
    TGPImage picture(File("big.jpg"));
    TGPGraphics graphics(picture);
    ASSERT_TRUE(graphics.FillRectangle(TGPSolidBrush(0xFFFF0000), {0, 0, 1600, 1200}));
    for (const TInterpolationMode mode : {imHighQualityBicubic, imHighQualityBilinear}) {
        const TGPImage scaled = picture.ScaledTo(100, 75, mode);
        ASSERT_TRUE(scaled.Save(File("scaled.png"), EncoderForExtension("scaled.png")));
        EXPECT_TRUE(test::Near(PixelAt(File("scaled.png"), 50, 37), test::kRed, 2));
    }
}

// A run of small pictures keeps the allocator's small footprint; large ones have it
// keep freed memory for the next picture.
TEST_F(GraphicsLayer, FreedMemoryIsKeptOnlyOnceALargePictureHasBeenOpened)
{
    const bool before = KeepsFreedMemory();
    MakePicture(File("small.png"), 64, 48, {1, 2, 3});
    MakePicture(File("large.png"), 600, 500, {1, 2, 3});
    ASSERT_FALSE(TGPImage(File("small.png")).IsEmpty());
    EXPECT_EQ(KeepsFreedMemory(), before);
    ASSERT_FALSE(TGPImage(File("large.png")).IsEmpty());
    EXPECT_TRUE(KeepsFreedMemory());
}

TEST_F(GraphicsLayer, SixteenBitAndGreySourcesAreWrittenAsEightBit)
{
    const vips::VImage deep = (test::SolidImage(5, 5, {10, 20, 30}).cast(VIPS_FORMAT_USHORT) * 257)
                                  .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
    WritePicture(deep.cast(VIPS_FORMAT_USHORT), File("deep.png"));
    MakePicture(File("grey.png"), 5, 5, {77});
    for (const char* source : {"deep.png", "grey.png"}) {
        for (const char* name : {"o.jpg", "o.gif", "o.bmp"}) {
            ASSERT_TRUE(TGPImage(File(source)).Save(File(name), EncoderForExtension(name))) << source << " " << name;
            EXPECT_EQ(ReadPicture(File(name)).format(), VIPS_FORMAT_UCHAR) << source << " " << name;
        }
    }
    EXPECT_TRUE(test::Near(PixelAt(File("o.bmp"), 1, 1), {77, 77, 77}, 1));
}

// Scaling straight to a file is a shortcut for drawing onto a blank canvas of the same
// size: the files must be byte for byte the same, for every kind of source.
TEST_F(GraphicsLayer, ScalingStraightWritesWhatDrawingOntoABlankCanvasWrites)
{
    const vips::VImage rgb = test::CoordinateImage(40, 30);
    const vips::VImage grey =
        rgb.extract_band(0).copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
    WritePicture(rgb, File("rgb.jpg"));
    WritePicture((rgb.cast(VIPS_FORMAT_USHORT) * 257)
                     .cast(VIPS_FORMAT_USHORT)
                     .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16)),
                 File("deep.png"));
    WritePicture(rgb.colourspace(VIPS_INTERPRETATION_CMYK), File("cmyk.jpg"), "jpeg");
    WritePicture(grey, File("grey.png"));
    WritePicture(grey.bandjoin(rgb.extract_band(1)), File("grey-alpha.png"));
    WritePicture(rgb.bandjoin(rgb.extract_band(0)), File("rgba.png"));
    WritePicture(rgb.bandjoin_const({255}), File("opaque-alpha.png"));
    for (const char* name :
         {"rgb.jpg", "deep.png", "cmyk.jpg", "grey.png", "grey-alpha.png", "rgba.png", "opaque-alpha.png"}) {
        for (const char* target : {"t.jpg", "t.png", "t.tif"}) {
            const TGPImage source(File(name));
            TGPBitmap canvas(10, 8);
            TGPGraphics graphics(canvas);
            graphics.SetInterpolationMode(imHighQualityBicubic);
            ASSERT_TRUE(graphics.DrawImage(source, TRect{0, 0, 10, 8})) << name;
            canvas.CopyMetadataFrom(source);
            ASSERT_TRUE(canvas.Save(File("drawn"), EncoderForExtension(target))) << name << " " << target;
            const TGPImage scaled = TGPImage(File(name)).ScaledTo(10, 8, imHighQualityBicubic);
            ASSERT_TRUE(scaled.Save(File("scaled"), EncoderForExtension(target))) << name << " " << target;
            EXPECT_EQ(test::ReadBytes(File("scaled")), test::ReadBytes(File("drawn"))) << name << " " << target;
        }
    }
}

// A CMYK JPEG with its profile: four bands, none of them alpha.
TEST_F(GraphicsLayer, CmykSourcesAreDrawnAndSavedInTheirColourWithoutTheirProfile)
{
    const vips::VImage cmyk = test::SolidImage(64, 48, {255, 255, 0}).colourspace(VIPS_INTERPRETATION_CMYK);  // K is 0
    WritePicture(cmyk, File("cmyk.jpg"), "jpeg", "[Q=95]");
    ASSERT_EQ(ReadPicture(File("cmyk.jpg")).bands(), 4);
    ASSERT_NE(ReadPicture(File("cmyk.jpg")).get_typeof(VIPS_META_ICC_NAME), 0u);
    TGPBitmap canvas(32, 24);
    TGPGraphics graphics(canvas);
    graphics.SetInterpolationMode(imHighQualityBicubic);
    const TGPImage source(File("cmyk.jpg"));
    ASSERT_TRUE(graphics.DrawImage(source, TRect{0, 0, 32, 24}));
    canvas.CopyMetadataFrom(source);
    ASSERT_TRUE(canvas.Save(File("drawn.jpg"), EncoderForExtension("drawn.jpg")));
    ASSERT_TRUE(TGPImage(File("cmyk.jpg")).Save(File("plain.png"), EncoderForExtension("plain.png")));
    for (const char* name : {"drawn.jpg", "plain.png"}) {
        const vips::VImage out = ReadPicture(File(name));
        EXPECT_EQ(out.bands(), 3) << name;
        EXPECT_EQ(out.get_typeof(VIPS_META_ICC_NAME), 0u) << name << ": a CMYK profile on RGB pixels";
        EXPECT_TRUE(test::Near(PixelAt(out, 10, 10), {255, 255, 0}, 24))
            << name << " " << test::Describe(PixelAt(out, 10, 10));
    }
}

TEST_F(GraphicsLayer, ADamagedJpegFailsToSaveAndLeavesTheTargetAsItWas)
{
    WritePicture(test::NoiseImage(300, 200), File("whole.jpg"));
    const std::string bytes = test::ReadBytes(File("whole.jpg"));
    test::WriteBytes(File("cut.jpg"), bytes.substr(0, bytes.size() / 2));
    test::WriteBytes(File("target.png"), "previous");
    const TGPImage image(File("cut.jpg"));
    EXPECT_FALSE(image.Save(File("target.png"), EncoderForExtension("target.png")));
    EXPECT_FALSE(image.GetThumbnail(30, 20).Save(File("thumb.png"), EncoderForExtension("thumb.png")));
    EXPECT_EQ(test::ReadBytes(File("target.png")), "previous");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"cut.jpg", "target.png", "whole.jpg"}));
}

}  // namespace
}  // namespace quillane
