#include "jobs/ReasonTexts.h"

#include <array>
#include <utility>

namespace quillane {

namespace {

constexpr std::array<std::pair<TReason, const char*>, 26> kReasonTexts{{
    {TReason::rsNone, "成功"},
    {TReason::rsDamaged, "文件已损坏，无法解码"},
    {TReason::rsUnsupported, "不是支持的图片格式"},
    {TReason::rsTooLarge, "图片过大（超过 16384 × 16384 像素）"},
    {TReason::rsTargetExists, "目标文件已存在，未覆盖"},
    {TReason::rsCannotWrite, "无法写入目标文件"},
    {TReason::rsOutOfMemory, "内存不足"},
    {TReason::rsMarkOutside, "水印不在图片范围内"},
    {TReason::rsTooNarrow, "图片宽度小于最小宽度"},
    {TReason::rsWatermarkUnreadable, "无法读取水印图片"},
    {TReason::rsSourceUnreadable, "无法读取源文件"},
    {TReason::rsSourceMissing, "源文件不存在"},
    {TReason::rsNotRegularFile, "不是普通文件"},
    {TReason::rsBadSize, "缩略图尺寸无效"},
    {TReason::rsSmallerThanSize, "图片小于指定尺寸，已原样复制"},
    {TReason::rsUnknownFormat, "不支持的目标格式"},
    {TReason::rsCannotEncode, "无法编码为目标格式"},
    {TReason::rsCannotDraw, "无法绘制图片"},
    {TReason::rsTextNotDrawn, "无法绘制水印文字"},
    {TReason::rsBadName, "新文件名无效"},
    {TReason::rsCannotRename, "无法重命名"},
    {TReason::rsCannotTrash, "无法将原文件放入回收站"},
    {TReason::rsNotInTrash, "回收站中已没有原文件"},
    {TReason::rsChangedSince, "文件在这次处理之后已被改动"},
    {TReason::rsDateFromFileTime, "图片没有记录拍摄时间，使用了文件修改时间"},
    {TReason::rsUnexpected, "发生意外错误"},
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

}  // namespace

const char* ReasonText(TReason reason)
{
    for (const auto& [id, text] : kReasonTexts) {
        if (id == reason) {
            return text;
        }
    }
    return ReasonText(TReason::rsUnexpected);
}

std::string FailureText(const TFailure& failure)
{
    const std::string detail = OnOneLine(failure.Detail);
    return detail.empty() ? std::string(ReasonText(failure.Reason))
                          : std::string(ReasonText(failure.Reason)) + "（" + detail + "）";
}

}  // namespace quillane
