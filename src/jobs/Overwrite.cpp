#include "jobs/Overwrite.h"

#include <system_error>

namespace quillane {

// A link counts as the file it is, whatever it points to: it is what gets replaced.
bool SomethingAt(const std::filesystem::path& target)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool OverwritePromptDue(const std::filesystem::path& target, const TOverwriteState& state)
{
    return !state.DontAsk && SomethingAt(target);
}

bool AskOverwrite(TJobHost& host, const std::filesystem::path& target, TOverwriteState& state)
{
    // Looked at once: the prompt and the answer concern the file that is there now.
    if (!SomethingAt(target)) {
        return false;
    }
    if (!state.DontAsk) {
        const TOverwriteAnswer answer = host.ShowOverwritePrompt(target);
        state.Overwrite = answer.Yes;
        if (answer.DontAskAgain) {
            state.DontAsk = true;
        }
    }
    return state.Overwrite;
}

}  // namespace quillane
