#include "jobs/ReasonTexts.h"

#include <array>

namespace quillane {

namespace {

struct TReasonEntry {
    TReason Reason;
    const char* Code;  // stable, for scripts
    const char* Text;
};

constexpr std::array<TReasonEntry, 26> kReasons{{
    {TReason::rsNone, "ok", "成功"},
    {TReason::rsDamaged, "damaged", "文件已损坏，无法解码"},
    {TReason::rsUnsupported, "unsupported", "不是支持的图片格式"},
    {TReason::rsTooLarge, "too-large", "图片过大（超过 16384 × 16384 像素）"},
    {TReason::rsTargetExists, "target-exists", "目标文件已存在，未覆盖"},
    {TReason::rsCannotWrite, "cannot-write", "无法写入目标文件"},
    {TReason::rsOutOfMemory, "out-of-memory", "内存不足"},
    {TReason::rsMarkOutside, "mark-outside", "水印不在图片范围内"},
    {TReason::rsTooNarrow, "too-narrow", "图片宽度小于最小宽度"},
    {TReason::rsWatermarkUnreadable, "watermark-unreadable", "无法读取水印图片"},
    {TReason::rsSourceUnreadable, "source-unreadable", "无法读取源文件"},
    {TReason::rsSourceMissing, "source-missing", "源文件不存在"},
    {TReason::rsNotRegularFile, "not-regular-file", "不是普通文件"},
    {TReason::rsBadSize, "bad-size", "缩略图尺寸无效"},
    {TReason::rsSmallerThanSize, "smaller-than-size", "图片小于指定尺寸，已原样复制"},
    {TReason::rsUnknownFormat, "unknown-format", "不支持的目标格式"},
    {TReason::rsCannotEncode, "cannot-encode", "无法编码为目标格式"},
    {TReason::rsCannotDraw, "cannot-draw", "无法绘制图片"},
    {TReason::rsTextNotDrawn, "text-not-drawn", "无法绘制水印文字"},
    {TReason::rsBadName, "bad-name", "新文件名无效"},
    {TReason::rsCannotRename, "cannot-rename", "无法重命名"},
    {TReason::rsCannotTrash, "cannot-trash", "无法将原文件放入回收站"},
    {TReason::rsNotInTrash, "not-in-trash", "回收站中已没有原文件"},
    {TReason::rsChangedSince, "changed-since", "文件在这次处理之后已被改动"},
    {TReason::rsDateFromFileTime, "date-from-file-time", "图片没有记录拍摄时间，使用了文件修改时间"},
    {TReason::rsUnexpected, "unexpected", "发生意外错误"},
}};

// Line breaks and other control characters of a detail become blanks.
std::string OnOneLine(const std::string& text)
{
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

const TReasonEntry& EntryOf(TReason reason)
{
    for (const TReasonEntry& entry : kReasons) {
        if (entry.Reason == reason) {
            return entry;
        }
    }
    return kReasons.back();  // rsUnexpected
}

}  // namespace

const char* ReasonText(TReason reason)
{
    return EntryOf(reason).Text;
}

const char* ReasonCode(TReason reason)
{
    return EntryOf(reason).Code;
}

std::string FailureText(const TFailure& failure)
{
    const std::string detail = OnOneLine(failure.Detail);
    return detail.empty() ? std::string(ReasonText(failure.Reason))
                          : std::string(ReasonText(failure.Reason)) + "（" + detail + "）";
}

}  // namespace quillane
