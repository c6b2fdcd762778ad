#include "jobs/ScriptedHost.h"

#include "jobs/SourceList.h"
#include "jobs/TypeFilter.h"

namespace quillane::test {

TScriptedHost::TScriptedHost() : Captions(TypeCaptions()) {}

void TScriptedHost::ShowFolder(const std::filesystem::path& folder, bool includeSubFolders)
{
    Root = folder;
    SubFolders = includeSubFolders;
    Items = ListSourceItems(folder, includeSubFolders, Captions);
}

TMessageAnswer TScriptedHost::ShowMessage(const std::string& text, TMessageStyle style)
{
    Messages.push_back({text, style});
    if (style != TMessageStyle::msQuestionYesNo) {
        return TMessageAnswer::maOk;
    }
    if (YesNoAnswers.empty()) {
        return TMessageAnswer::maNo;
    }
    const TMessageAnswer answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
}

TOverwriteAnswer TScriptedHost::ShowOverwritePrompt(const std::filesystem::path& target)
{
    Prompts.push_back(target);
    if (OverwriteAnswers.empty()) {
        return {};
    }
    const TOverwriteAnswer answer = OverwriteAnswers.front();
    OverwriteAnswers.pop_front();
    return answer;
}

void TScriptedHost::AppendResult(TJobPage, const std::string& line)
{
    Lines.push_back(line);
    if (OnResult) {
        OnResult(line);
    }
}

}  // namespace quillane::test
