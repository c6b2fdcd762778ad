// Every routine says why it failed, the same way for the same fault: damaged,
// not a picture, too large, missing, no file, target taken, target unwritable.
#include <gtest/gtest.h>

#include <functional>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Convert.h"
#include "imaging/Crop.h"
#include "imaging/Thumbnails.h"
#include "imaging/Watermark.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

using TRoutine = std::function<TOutcome(const TPath& source, const TPath& target, bool overwrite)>;

struct TNamedRoutine {
    const char* Name;
    TRoutine Call;
};

std::vector<TNamedRoutine> Routines(const fs::path& mark)
{
    const TGPFont font(TGPFontFamily("DejaVu Sans"), 12, fsRegular);
    return {
        {"PercentFast", [](auto& s, auto& t, bool o) { return ThumbPercentFast(s, t, 50, 50, o); }},
        {"PercentHQ", [](auto& s, auto& t, bool o) { return ThumbPercentHQ(s, t, 50, 50, o); }},
        {"ExactFast", [](auto& s, auto& t, bool o) { return ThumbExactFast(s, t, 10, 10, o); }},
        {"FillHQ", [](auto& s, auto& t, bool o) { return ThumbFillHQ(s, t, 10, 10, 0xFF000000u, o); }},
        {"CutFast", [](auto& s, auto& t, bool o) { return ThumbCutFast(s, t, 10, 10, o); }},
        {"SideHQ", [](auto& s, auto& t, bool o) { return ThumbSideHQ(s, t, true, 10, o, false); }},
        {"Convert", [](auto& s, auto& t, bool o) { return ConvertImage(s, t, ifGif, o); }},
        {"Crop", [](auto& s, auto& t, bool o) { return CropImage(s, t, 0, 0, 8, 8, o); }},
        {"Text",
         [font](auto& s, auto& t, bool o) {
             return StampTextWatermark(s, t, "Hg", font, 0xFFFF0000u, {1, 1}, o, false, 0);
         }},
        {"Picture",
         [mark](auto& s, auto& t, bool o) {
             return StampPictureWatermark(s, t, mark, IdentityMatrix(), {1, 1}, o, false, 0);
         }},
    };
}

class FailureReasons : public test::GraphicsTest {
protected:
    std::string Jpeg() const { return test::EncodedPicture(test::NoiseImage(40, 30), "jpeg"); }
    std::string Png() const { return test::EncodedPicture(test::NoiseImage(40, 30), "png"); }
};

TEST_F(FailureReasons, EachFaultGivesItsOwnReasonInEveryRoutine)
{
    test::MakePicture(File("mark.png"), 4, 4, {0, 0, 255});
    test::WriteBytes(File("good.jpg"), Jpeg());
    const std::string jpeg = Jpeg();
    test::WriteBytes(File("cut.jpg"), test::Truncated(jpeg, jpeg.size() / 2));
    test::WriteBytes(File("notes.png"), "just some notes\n");
    test::WriteBytes(File("huge.jpg"), test::JpegClaimingSize(Jpeg(), 20000, 20000));
    test::WriteBytes(File("huge.png"), test::PngClaimingSize(Png(), 20000, 20000));
    fs::create_directory(File("folder.jpg"));
    test::WriteBytes(File("taken.out"), "old");

    struct TFault {
        const char* What;
        std::string Source;
        std::string Target;
        TReason Reason;
    };
    const std::vector<TFault> faults = {
        {"truncated JPEG", "cut.jpg", "out-cut.jpg", TReason::rsDamaged},
        {"text named .png", "notes.png", "out-notes.png", TReason::rsUnsupported},
        {"JPEG over the limit", "huge.jpg", "out-huge.jpg", TReason::rsTooLarge},
        {"PNG over the limit", "huge.png", "out-huge.png", TReason::rsTooLarge},
        {"missing source", "gone.jpg", "out-gone.jpg", TReason::rsSourceMissing},
        {"folder as source", "folder.jpg", "out-folder.jpg", TReason::rsNotRegularFile},
        {"target taken", "good.jpg", "taken.out", TReason::rsTargetExists},
        {"target in a missing folder", "good.jpg", "no-such-folder/out.jpg", TReason::rsCannotWrite},
    };
    for (const TNamedRoutine& routine : Routines(File("mark.png"))) {
        for (const TFault& fault : faults) {
            SCOPED_TRACE(std::string(routine.Name) + ": " + fault.What);
            // A single-side routine copies what it cannot scale: each routine has targets of its own.
            const fs::path target = fault.Reason == TReason::rsTargetExists || fault.Reason == TReason::rsCannotWrite
                                        ? File(fault.Target)
                                        : File(std::string(routine.Name) + "-" + fault.Target);
            const TOutcome outcome = routine.Call(File(fault.Source), target, false);
            EXPECT_FALSE(outcome);
            EXPECT_EQ(outcome.Reason(), fault.Reason);
        }
    }
    EXPECT_EQ(test::ReadBytes(File("taken.out")), "old");
}

// Whatever is wrong with a source, its failure blames the source, never the target.
TEST_F(FailureReasons, EveryDamagedSampleIsBlamedOnItsContent)
{
    const std::vector<test::TSample> samples = test::DamagedPictures();
    test::WriteSamples(folder_.Path(), samples);
    fs::create_directory(File("out"));
    const std::vector<TNamedRoutine> routines = Routines(File("mark.png"));
    for (const test::TSample& sample : samples) {
        for (const TNamedRoutine& routine : routines) {
            if (std::string(routine.Name) == "Picture")
                continue;  // its mark is a sample of the other test
            SCOPED_TRACE(sample.Name + " " + routine.Name);
            const TOutcome outcome = routine.Call(File(sample.Name), File("out") / (routine.Name + sample.Name), true);
            if (outcome) {
                // A conversion to the format the name already has is a plain copy.
                const bool plainCopy = std::string(routine.Name) == "Convert" && sample.Name.ends_with(".gif");
                EXPECT_TRUE(sample.Expect != test::TExpect::exFails || plainCopy);
                continue;
            }
            const TReason reason = outcome.Reason();
            EXPECT_TRUE(reason == TReason::rsDamaged || reason == TReason::rsUnsupported ||
                        reason == TReason::rsTooLarge)
                << static_cast<int>(reason) << " " << outcome.Detail();
        }
    }
}

// A small picture is scaled as soon as it is drawn, so its damage may first show there.
TEST_F(FailureReasons, DamageMetWhileScalingASmallPictureIsBlamedOnIt)
{
    // Its header is sound; its compressed pixels are garbled.
    std::string tiff = test::EncodedPicture(test::NoiseImage(64, 48), "tif", "[compression=lzw]");
    for (std::size_t at = tiff.size() / 2; at < tiff.size() / 2 + 40; ++at)
        tiff[at] = static_cast<char>(~tiff[at]);
    test::WriteBytes(File("garbled.tif"), tiff);
    const std::vector<TNamedRoutine> scaling = {
        {"PercentHQ", [](auto& s, auto& t, bool o) { return ThumbPercentHQ(s, t, 50, 50, o); }},
        {"ExactHQ", [](auto& s, auto& t, bool o) { return ThumbExactHQ(s, t, 10, 10, o); }},
        {"FillHQ", [](auto& s, auto& t, bool o) { return ThumbFillHQ(s, t, 10, 10, 0xFF000000u, o); }},
        {"CutHQ", [](auto& s, auto& t, bool o) { return ThumbCutHQ(s, t, 10, 10, o); }},
    };
    for (const TNamedRoutine& routine : scaling) {
        SCOPED_TRACE(routine.Name);
        const TOutcome outcome = routine.Call(File("garbled.tif"), File(std::string(routine.Name) + ".jpg"), false);
        EXPECT_EQ(outcome.Reason(), TReason::rsDamaged) << outcome.Detail();
        EXPECT_FALSE(outcome.Detail().empty());
    }
}

TEST_F(FailureReasons, TheLibrarysOwnTextComesAlongAsTheDetail)
{
    test::WriteBytes(File("deep.jpg"), test::JpegWithPrecision(Jpeg(), 12));
    const TOutcome outcome = ThumbPercentHQ(File("deep.jpg"), File("out.jpg"), 50, 50, false);
    EXPECT_EQ(outcome.Reason(), TReason::rsDamaged);
    EXPECT_FALSE(outcome.Detail().empty());
    EXPECT_NE(outcome.Detail().back(), '\n');
}

TEST_F(FailureReasons, WatermarkAndSingleSideFaultsSayWhatWasWrong)
{
    test::MakePicture(File("small.png"), 20, 10, {255, 255, 255});
    test::MakePicture(File("mark.png"), 4, 4, {0, 0, 255});
    test::WriteBytes(File("bad-mark.png"), "no picture");
    const TGPFont font(TGPFontFamily("DejaVu Sans"), 12, fsRegular);

    EXPECT_EQ(StampTextWatermark(File("small.png"), File("a.png"), "Hg", font, 0xFFFF0000u, {1, 1}, false, false, 100)
                  .Reason(),
              TReason::rsTooNarrow);
    EXPECT_EQ(StampPictureWatermark(File("small.png"), File("b.png"), File("mark.png"), IdentityMatrix(), {1, 1}, false,
                                    false, 100)
                  .Reason(),
              TReason::rsTooNarrow);
    EXPECT_EQ(StampPictureWatermark(File("small.png"), File("c.png"), File("bad-mark.png"), IdentityMatrix(), {1, 1},
                                    false, false, 0)
                  .Reason(),
              TReason::rsWatermarkUnreadable);
    EXPECT_EQ(StampPictureWatermark(File("small.png"), File("d.png"), File("mark.png"), IdentityMatrix(), {500, 500},
                                    false, false, 0)
                  .Reason(),
              TReason::rsMarkOutside);
    // Not enlarged: copied as it is, and reported as not scaled.
    EXPECT_EQ(ThumbSideFast(File("small.png"), File("e.png"), true, 40, false, true).Reason(),
              TReason::rsSmallerThanSize);
    EXPECT_TRUE(fs::exists(File("e.png")));
    EXPECT_EQ(ThumbPercentFast(File("small.png"), File("f.png"), 1, 1, false).Reason(), TReason::rsBadSize);
}

}  // namespace
}  // namespace quillane
