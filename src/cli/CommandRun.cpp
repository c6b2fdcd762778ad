#include "cli/CommandRun.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <system_error>

#include "cli/BatchCommand.h"
#include "cli/DryRun.h"
#include "cli/FileList.h"
#include "cli/PlanShaping.h"
#include "jobs/RunFrame.h"
#include "jobs/StoppedRun.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

fs::path ListBase(const TCliRequest& request)
{
    return request.Base.empty() ? fs::current_path() : request.Base;
}

std::variant<std::vector<std::string>, int> ListedNames(const TCliRequest& request, const TTerminal& terminal)
{
    if (request.FilesFrom == "-") {
        return ReadFileList(terminal.In, request.NullSeparated);
    }
    std::ifstream in(request.FilesFrom, std::ios::binary);
    if (!in) {
        terminal.Err << "--files-from: cannot read " << request.FilesFrom << '\n';
        return esNotRun;
    }
    return ReadFileList(in, request.NullSeparated);
}

// Mirroring below the base needs every listed file to be below it.
bool AllBelowBase(const TSourceList& sources, const fs::path& base, std::ostream& err)
{
    for (const TSourceItem& item : sources.Items) {
        if (!RelativeFolder(item.Path, base)) {
            err << "--base: " << item.Path.string() << " is not below " << FullFolderPath(base).string() << '\n';
            return false;
        }
    }
    return true;
}

int ExitStatusOf(const TRunOutcome& outcome)
{
    return outcome.Failed > 0 || outcome.Stopped ? esSomeFailed : esAllSucceeded;
}

// A stop during the checks (a question interrupted) ends the command as a stopped run
// that reached no item.
int StoppedInChecks(TTerminalHost& host, const TSourceList& sources)
{
    TRunOutcome outcome;
    outcome.Stopped = true;
    host.ReportStop(TJobPage{}, StoppedRunLine(0, sources.Items.size()));  // one output for every page
    host.ReportRunEnd(outcome);
    return esSomeFailed;
}

// Everything a file's outcome depends on is taken from the whole list before the
// shard is.
void ShapePlan(TJobPlan& plan, TTerminalHost& host, const TCliRequest& request)
{
    if (!request.FilesFrom.empty() && request.SubFolders && plan.OutputFolder) {
        MirrorBelowBase(plan, ListBase(request));
    }
    if (request.Shard) {
        KeepShard(plan, ListPlan(host, plan), *request.Shard);
    }
}

int ListDryRun(TTerminalHost& host, const TJobPlan& plan, const TCliRequest& request, std::ostream& out)
{
    const std::vector<TPlannedFile> files = PlannedFiles(plan, ListPlan(host, plan), request.Overwrite);
    for (const TPlannedFile& file : files) {
        out << PlanLine(file, request.Json) << '\n';
    }
    if (request.Json) {
        out << PlanClosingLine(files) << '\n';
    }
    out << std::flush;
    const bool allSucceed = std::all_of(files.begin(), files.end(), WouldSucceed);
    return allSucceed ? esAllSucceeded : esSomeFailed;
}

}  // namespace

std::variant<TSourceList, int> CommandSources(const TCliRequest& request, const TTerminal& terminal)
{
    if (request.FilesFrom.empty()) {
        std::error_code error;
        if (!fs::is_directory(request.SourceFolder, error)) {
            terminal.Err << "SOURCE_FOLDER: no such folder: " << request.SourceFolder.string() << '\n';
            return esNotRun;
        }
        return TTerminalHost::FolderSources(request);
    }
    auto names = ListedNames(request, terminal);
    if (const int* status = std::get_if<int>(&names)) {
        return *status;
    }
    TSourceList sources = ListedSources(std::get<std::vector<std::string>>(names), ListBase(request),
                                        request.SubFolders, request.CheckedTypes);
    if (request.SubFolders && !AllBelowBase(sources, ListBase(request), terminal.Err)) {
        return esNotRun;
    }
    return sources;
}

int CheckAndRun(TBatchJob& job, TTerminalHost& host, const TCliRequest& request, const TSourceList& sources,
                std::ostream& out)
{
    std::optional<TJobPlan> plan = job.Check(host, sources);
    if (!plan) {
        return host.StopRequested() ? StoppedInChecks(host, sources) : esNotRun;
    }
    plan->Replacing = request.Replacing;
    ShapePlan(*plan, host, request);
    if (request.DryRun) {
        return ListDryRun(host, *plan, request, out);
    }
    const TRunOutcome outcome = RunPlan(host, *plan);
    host.ReportRunEnd(outcome);
    return ExitStatusOf(outcome);
}

}  // namespace quillane
