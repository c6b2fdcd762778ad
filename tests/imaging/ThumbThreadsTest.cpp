#include <gtest/gtest.h>
#include <vips/vips8>
// Needs the main header before it.
#include <vips/vector.h>

#include <atomic>
#include <thread>
#include <vector>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/OrcCodeLock.h"
#include "imaging/Pixels.h"
#include "imaging/Thumbnails.h"

// The routines keep no state between calls, so several threads may run them at once.
namespace quillane {
namespace {

class ThumbThreads : public test::GraphicsTest {};

TEST_F(ThumbThreads, ConcurrentRoutinesEachWriteTheirOwnCorrectThumbnail)
{
    constexpr int kThreads = 4;
    constexpr int kFilesPerThread = 6;
    for (int i = 0; i < kThreads * kFilesPerThread; ++i)
        test::MakePicture(File("src" + std::to_string(i) + ".png"), 40 + i, 30, {i * 10.0, 255 - i * 10.0, 7});
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < kFilesPerThread; ++k) {
                const int i = t * kFilesPerThread + k;
                const TPath source = File("src" + std::to_string(i) + ".png");
                const std::string stem = File("out" + std::to_string(i)).string();
                const bool ok = ThumbPercentFast(source, stem + "-fast.png", 50, 50, false) &&
                                ThumbPercentHQ(source, stem + "-hq.png", 50, 50, false) &&
                                ThumbFillHQ(source, stem + "-fill.jpg", 20, 20, 0xFF000000, false) &&
                                ThumbSideFast(source, stem + "-side.png", true, 20, false, false);
                if (!ok)
                    ++failures;
            }
            vips_thread_shutdown();  // this thread was not made by the library
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    for (int i = 0; i < kThreads * kFilesPerThread; ++i) {
        const std::string stem = "out" + std::to_string(i);
        const test::TPixel colour{i * 10.0, 255 - i * 10.0, 7};
        EXPECT_EQ(test::SizeOf(File(stem + "-fast.png")), (test::TPictureSize{(40 + i) / 2, 15})) << i;
        EXPECT_TRUE(test::Near(test::PixelAt(File(stem + "-hq.png"), 5, 5), colour, 2)) << i;
        EXPECT_TRUE(test::Near(test::PixelAt(File(stem + "-fast.png"), 5, 5), colour, 2)) << i;
        EXPECT_EQ(test::SizeOf(File(stem + "-side.png")).width, 20) << i;
    }
}

// Every high-quality thumbnail builds and drops a resize; on many threads at once the
// library's run-time compiled loops corrupted the heap within a few thousand files,
// until every compile and free of their code went through one lock.
TEST_F(ThumbThreads, ManyThreadsBuildingAndDroppingResizesRunCleanly)
{
    ASSERT_TRUE(OrcCodeIsLocked()) << "the library's compiled loops reach liborc without the code lock";
    EXPECT_TRUE(vips_vector_isenabled());
    constexpr int kThreads = 8;
    constexpr int kFilesPerThread = 100;
    test::MakePicture(File("tiny.jpg"), 24, 18, {90, 160, 30});
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < kFilesPerThread; ++k) {
                // Odd percentages, so every call needs a real resampling kernel.
                const int percent = 31 + (k % 5) * 13;
                if (!ThumbPercentHQ(File("tiny.jpg"), File("o" + std::to_string(t) + ".png"), percent, percent, true))
                    ++failures;
            }
            vips_thread_shutdown();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

// Compiling the loops costs more than a small picture gains: a small picture is resized
// with the plain loops whatever the process has enabled, so its pixels never depend on it.
TEST_F(ThumbThreads, SmallPicturesAreResizedWithThePlainLoops)
{
    ASSERT_TRUE(vips_vector_isenabled());
    const vips::VImage picture = test::CoordinateImage(64, 48);
    const vips::VImage usual = pixels::ResizeTo(picture, 37, 29, pixels::TKernel::Bicubic).copy_memory();
    vips_vector_set_enabled(FALSE);
    const vips::VImage plain = pixels::ResizeTo(picture, 37, 29, pixels::TKernel::Bicubic).copy_memory();
    vips_vector_set_enabled(TRUE);
    EXPECT_EQ((usual - plain).abs().max(), 0.0);
}

}  // namespace
}  // namespace quillane
