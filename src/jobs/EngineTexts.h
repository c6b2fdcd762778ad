#pragma once

#include <functional>
#include <string>
#include <vector>

#include "imaging/Outcome.h"
#include "jobs/JobHost.h"

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
// The undo caption: the job's word, the folder, the number of files.
inline constexpr const char* kUndoCaptionPattern = "撤销%1：%2，%3 个文件";

// How a job is named in an undo caption; the three thumbnail jobs share one word.
const TEngineText& UndoJobWord(TJobPage page);

// One text of the table in a host's language, by its id. The engine's own lookup
// gives the Chinese back as it is.
using TTextLookup = std::function<std::string(const std::string& id, const std::string& chinese)>;
std::string ChineseText(const std::string& id, const std::string& chinese);

// The pattern with %1, %2 … %9 replaced by the values in one pass, so a value that
// holds "%2" itself (a folder's name) is left as it is.
std::string FilledPattern(const std::string& pattern, const std::vector<std::string>& values);

}  // namespace quillane
