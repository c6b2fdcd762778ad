#include "jobs/Overwrite.h"

#include <system_error>

namespace quillane {

namespace {

// A link counts as the file it is, whatever it points to: it is what gets replaced.
bool FileExists(const std::filesystem::path& target)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

bool OverwritePromptDue(const std::filesystem::path& target, const TOverwriteState& state)
{
    return !state.DontAsk && FileExists(target);
}

bool AskOverwrite(TJobHost& host, const std::filesystem::path& target, TOverwriteState& state)
{
    // Looked at once: the prompt and the answer concern the file that is there now.
    if (!FileExists(target)) {
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
