#pragma once

#include "jobs/JobChecks.h"
#include "jobs/RunTexts.h"

namespace quillane {

// The output folder texts of the conversion, crop and watermark pages, which speak
// of "new files" rather than thumbnails.
inline const TSaveFolderTexts& NewFileSaveFolderTexts()
{
    static const TSaveFolderTexts texts{
        "请输入新文件存放目录？",
        "新文件输出路径不存在，是否创建？",
        "不能新建目录，请检查输入是否正确！",
    };
    return texts;
}

}  // namespace quillane
