#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/CliRequest.h"
#include "cli/Shard.h"
#include "jobs/JobPlan.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// Listed files go to the output folder's sub-folder that mirrors their folder below
// `base`, made when the file is written (--files-from with --subfolders and --base).
void MirrorBelowBase(TJobPlan& plan, const std::filesystem::path& base);

// The path of a file within the run, the same on every machine that shares it: relative
// to the source root when it is below it, the full path otherwise.
std::string RunRelativePath(const std::filesystem::path& file, const std::filesystem::path& root);

// The path each source's shard is taken from, by normalised source path: its own
// relative path, or that of the earliest file it meets (a file writing the same
// target, or whose source is its target), so that such files stay in one shard and in
// the order of the whole run. `whole` is the listing of the plan over the whole list.
std::map<std::string, std::string> ShardKeys(const std::vector<TFileStep>& whole, const std::filesystem::path& root);

// Leaves every file of the other shards to their machines.
void KeepShard(TJobPlan& plan, const std::vector<TFileStep>& whole, const TShard& shard);

// The sources whose target an earlier file of the listing writes, by normalised path.
std::vector<bool> TargetsWrittenEarlier(const std::vector<TFileStep>& steps);

}  // namespace quillane
