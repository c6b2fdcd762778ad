// Every job over a folder of unusual and damaged pictures, with the real routines:
// one honest line per file, the closing message, nothing partial written, every
// source byte-identical afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <set>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "imaging/Graphics.h"
#include "jobs/ConvertJob.h"
#include "jobs/CropJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PercentJob.h"
#include "jobs/PixelJob.h"
#include "jobs/RenameJob.h"
#include "jobs/ScriptedHost.h"
#include "jobs/WOrHJob.h"
#include "jobs/WatermarkJob.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

// Contents of every regular file directly in a folder, by name.
std::map<std::string, std::string> Contents(const fs::path& folder)
{
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            contents[entry.path().filename().string()] = Slurp(entry.path());
    return contents;
}

std::string Stem(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

std::string Extension(const std::string& name)
{
    return name.substr(name.rfind('.'));
}

// One job as the tests see it: how to start it, its two texts and closing message,
// the target of a sample and whether the sample must succeed (empty: either).
struct TJobUnderTest {
    std::string Name;
    std::function<std::optional<TRunOutcome>(TScriptedHost&, const std::string& out)> Click;
    std::string Success;
    std::string Failure;
    std::string Closing = "处理完成！";
    std::function<std::string(const std::string& name)> TargetName;
    std::function<std::optional<bool>(const TSample&)> MustSucceed;
    std::function<bool(const TSample&)> Copied = [](const TSample&) { return false; };
    bool CopiesWhenNotCreated = false;  // the single-side job leaves the source's copy
};

void PrintTo(const TJobUnderTest& job, std::ostream* out)
{
    *out << job.Name;
}

TJobUnderTest MakeJob(std::string name,
                      std::function<std::optional<TRunOutcome>(TScriptedHost&, const std::string&)> click,
                      std::string success, std::string failure)
{
    TJobUnderTest job;
    job.Name = std::move(name);
    job.Click = std::move(click);
    job.Success = std::move(success);
    job.Failure = std::move(failure);
    return job;
}

std::optional<bool> DecodesAndIsAtLeast(const TSample& sample, int width, int height)
{
    if (sample.Expect == TExpect::exEither)
        return std::nullopt;
    if (sample.Expect == TExpect::exFails)
        return false;
    if (sample.Width < width || sample.Height < height)
        return std::nullopt;
    return true;
}

std::function<std::string(const std::string&)> Affixed(const std::string& affix)
{
    return [affix](const std::string& name) { return Stem(name) + affix + Extension(name); };
}

std::vector<TJobUnderTest> ThumbnailJobs()
{
    const TThumbRoutines routines = LibraryThumbRoutines();
    TJobUnderTest percent = MakeJob(
        "percent",
        [routines](TScriptedHost& host, const std::string& out) {
            TPercentFields fields;
            fields.Width = "50";
            fields.Height = "50";
            fields.SavePath = out;
            return ClickStart(host, TPercentBatch(fields, routines));
        },
        "创建缩略图成功！", "创建缩略图失败！");
    percent.TargetName = Affixed("_s");
    percent.MustSucceed = [](const TSample& s) {
        return s.Width == 1 ? std::optional(false) : DecodesAndIsAtLeast(s, 2, 2);
    };
    TJobUnderTest pixel = percent;
    pixel.Name = "pixel fill";
    pixel.Click = [routines](TScriptedHost& host, const std::string& out) {
        TPixelFields fields;
        fields.Width = "16";
        fields.Height = "12";
        fields.Mode = pmFill;
        fields.SavePath = out;
        return ClickStart(host, TPixelBatch(fields, routines));
    };
    pixel.MustSucceed = [](const TSample& s) { return DecodesAndIsAtLeast(s, 1, 1); };
    TJobUnderTest cut = pixel;
    cut.Name = "pixel cut, fast";
    cut.Click = [routines](TScriptedHost& host, const std::string& out) {
        TPixelFields fields;
        fields.Width = "16";
        fields.Height = "12";
        fields.Mode = pmCut;
        fields.Fast = true;
        fields.SavePath = out;
        return ClickStart(host, TPixelBatch(fields, routines));
    };
    TJobUnderTest side = pixel;
    side.Name = "side";
    side.Success = "创建缩略图成功。";
    side.Failure = "没有创建缩略图。";
    side.CopiesWhenNotCreated = true;  // a source it cannot read is copied as it is
    side.Click = [routines](TScriptedHost& host, const std::string& out) {
        TWOrHFields fields;
        fields.WidthChosen = true;
        fields.WidthText = "16";
        fields.Fast = true;
        fields.SavePath = out;
        return ClickStart(host, TWOrHBatch(fields, routines));
    };
    return {percent, pixel, cut, side};
}

std::vector<TJobUnderTest> FileJobs()
{
    TJobUnderTest convert = MakeJob(
        "convert to PNG",
        [](TScriptedHost& host, const std::string& out) {
            TConvertFields fields;
            fields.TargetType = 3;  // "PNG格式文件(*.png)"
            fields.SavePath = out;
            return ClickStart(host, TConvertBatch(fields));
        },
        "类型转换成功！", "没有进行类型转换！");
    convert.TargetName = [](const std::string& name) { return Stem(name) + ".png"; };
    // A file already named .png is copied as it is, damaged or not.
    convert.Copied = [](const TSample& s) { return Extension(s.Name) == ".png"; };
    convert.MustSucceed = [](const TSample& s) {
        return Extension(s.Name) == ".png" ? std::optional(true) : DecodesAndIsAtLeast(s, 1, 1);
    };
    TJobUnderTest crop = MakeJob(
        "crop",
        [](TScriptedHost& host, const std::string& out) {
            TCropFields fields;
            fields.Left = "2";
            fields.Top = "2";
            fields.Width = "10";
            fields.Height = "8";
            fields.SavePath = out;
            return ClickStart(host, TCropBatch(fields));
        },
        "剪裁完成！", "剪裁失败！");
    crop.TargetName = Affixed("_c");
    crop.MustSucceed = [](const TSample& s) { return DecodesAndIsAtLeast(s, 12, 10); };
    TJobUnderTest stamp = MakeJob(
        "text watermark",
        [](TScriptedHost& host, const std::string& out) {
            TWatermarkFields fields;
            fields.Text = "Q";
            fields.X = "1";
            fields.Y = "1";
            fields.SavePath = out;
            return ClickStart(host, TWatermarkBatch(fields));
        },
        "增加水印标签完成！", "增加水印标签失败！");
    stamp.Closing = "水印添加完成！";
    stamp.TargetName = Affixed("_w");
    stamp.MustSucceed = [](const TSample& s) { return DecodesAndIsAtLeast(s, 30, 30); };
    return {convert, crop, stamp};
}

class BadFolderRun : public ::testing::TestWithParam<TJobUnderTest> {
protected:
    static void SetUpTestSuite()
    {
        StartGraphicsOnce();
        samples_ = new std::vector<TSample>(AllSamples());
    }
    static void TearDownTestSuite()
    {
        delete samples_;
        samples_ = nullptr;
    }
    void SetUp() override
    {
        source_ = folder_ / "bad";
        out_ = folder_ / "out";
        fs::create_directories(source_);
        fs::create_directories(out_);
        WriteSamples(source_, *samples_);
        host_.ShowFolder(source_, false);
    }

    static std::vector<TSample>* samples_;
    TTempFolder folder_;
    fs::path source_, out_;
    TScriptedHost host_;
};

std::vector<TSample>* BadFolderRun::samples_ = nullptr;

TEST_P(BadFolderRun, OneHonestLinePerFileAndNothingElseTouched)
{
    const TJobUnderTest& job = GetParam();
    const auto before = Contents(source_);
    ASSERT_TRUE(job.Click(host_, out_.string()));
    EXPECT_EQ(Contents(source_), before);
    ASSERT_FALSE(host_.Messages.empty());
    EXPECT_EQ(host_.Messages.back().Text, job.Closing);
    ASSERT_EQ(host_.Lines.size(), samples_->size());

    std::set<std::string> written;
    std::map<std::string, const TSample*> byName;
    for (const TSample& sample : *samples_)
        byName[sample.Name] = &sample;
    for (const std::string& line : host_.Lines) {
        SCOPED_TRACE(line);
        const std::string prefix = source_.string() + "/";
        ASSERT_EQ(line.rfind(prefix, 0), 0u);
        const bool succeeded = line.size() >= job.Success.size() &&
                               line.compare(line.size() - job.Success.size(), job.Success.size(), job.Success) == 0;
        const std::string name =
            line.substr(prefix.size(), line.size() - prefix.size() - (succeeded ? job.Success : job.Failure).size());
        ASSERT_TRUE(succeeded || line == prefix + name + job.Failure);
        ASSERT_EQ(byName.count(name), 1u);
        const TSample& sample = *byName[name];
        const fs::path target = out_ / job.TargetName(name);
        if (const std::optional<bool> must = job.MustSucceed(sample)) {
            EXPECT_EQ(succeeded, *must) << "expected " << (*must ? job.Success : job.Failure);
        }
        // The single-side job copies a source it cannot read at all; one whose header
        // reads but whose pixels are damaged leaves nothing, like every other job.
        const bool copied = !succeeded && job.CopiesWhenNotCreated && TGPImage(source_ / name).IsEmpty();
        if (copied) {
            EXPECT_EQ(Slurp(target), sample.Bytes);
            written.insert(target.filename().string());
        }
        if (!succeeded) {
            EXPECT_EQ(fs::exists(target), copied);
            continue;
        }
        written.insert(target.filename().string());
        if (job.Copied(sample)) {
            EXPECT_EQ(Slurp(target), sample.Bytes);
        } else {
            EXPECT_NO_THROW(ReadPicture(target)) << "a success must leave a whole picture";
        }
    }
    // Nothing but the successes' targets: no temporary file, no partial picture.
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(out_))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, written);
}

INSTANTIATE_TEST_SUITE_P(EveryWritingJob, BadFolderRun, ::testing::ValuesIn([] {
                             std::vector<TJobUnderTest> jobs = ThumbnailJobs();
                             for (TJobUnderTest& job : FileJobs())
                                 jobs.push_back(std::move(job));
                             return jobs;
                         }()),
                         [](const ::testing::TestParamInfo<TJobUnderTest>& info) {
                             std::string name;
                             for (const char c : info.param.Name)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// Renaming reads no picture: every file, damaged or not, gets its new name and keeps
// its bytes.
TEST(BadFolderRename, EveryFileRenamedWithItsBytesKept)
{
    TTempFolder folder;
    const fs::path source = folder / "bad";
    fs::create_directories(source);
    const std::vector<TSample> samples = AllSamples();
    WriteSamples(source, samples);
    TScriptedHost host;
    host.ShowFolder(source, false);
    std::multiset<std::string> before;
    for (const TSample& sample : samples)
        before.insert(sample.Bytes);

    TRenameFields fields;
    fields.Prefix = "p";
    ASSERT_TRUE(ClickStart(host, TRenameBatch(fields)));
    EXPECT_EQ(host.Lines.size(), samples.size());
    for (const std::string& line : host.Lines)
        EXPECT_NE(line.find("重命名成功！"), std::string::npos) << line;
    std::multiset<std::string> after;
    for (const auto& [name, bytes] : Contents(source)) {
        EXPECT_EQ(name.rfind("p", 0), 0u) << name;
        after.insert(bytes);
    }
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace quillane::test
