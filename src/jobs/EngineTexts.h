#pragma once

#include <string>
#include <vector>

#include "imaging/Outcome.h"

// Every text the engine shows, each with an id: the hosts translate them by this table
// (the translations themselves live in the hosts' translation files).
namespace quillane {

struct TEngineText {
    std::string Id;       // e.g. "ProcessingFinished", "reason.Damaged"
    std::string Chinese;  // the text as the engine writes it
};

const std::vector<TEngineText>& EngineTexts();

// Texts with two counts, as %1 and %2, the form a translation takes: the stopped-run
// line and the undo summary.
inline constexpr const char* kStoppedRunPattern = "已停止：已处理 %1 个文件，列表中还有 %2 项未处理。";
inline constexpr const char* kUndoSummaryPattern = "撤销完成：已恢复 %1 个文件，跳过 %2 个。";

}  // namespace quillane
