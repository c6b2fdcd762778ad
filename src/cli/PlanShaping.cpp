#include "cli/PlanShaping.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>

#include "cli/FileList.h"
#include "jobs/PathKey.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

std::string KeyText(const fs::path& path)
{
    return KeyOf(path).Normal.string();
}

// A step that writes its target when it runs (not one settled or refused before).
bool WritesTarget(const TFileStep& step)
{
    return step.Call && !step.Routine.empty();
}

}  // namespace

void MirrorBelowBase(TJobPlan& plan, const fs::path& base)
{
    const std::string output = plan.OutputFolder.value_or(std::string());
    plan.Rule.TargetFor = [inner = plan.Rule.TargetFor, base, output](const fs::path& source, const std::string& folder,
                                                                      std::size_t number) {
        const auto relative = folder == output ? RelativeFolder(source, base) : std::nullopt;
        return inner(source, relative ? output + *relative : folder, number);
    };
    plan.Rule.Routine = [inner = plan.Rule.Routine](const fs::path& source, const fs::path& target) {
        TRoutineCall call = inner(source, target);
        call.Run = [run = std::move(call.Run), folder = target.parent_path()](bool replace) {
            std::error_code error;
            fs::create_directories(folder, error);  // a failure shows as the file's own
            return run(replace);
        };
        return call;
    };
}

std::string RunRelativePath(const fs::path& file, const fs::path& root)
{
    const fs::path relative = file.lexically_normal().lexically_relative(root.lexically_normal());
    if (relative.empty() || *relative.begin() == "..") {
        return file.lexically_normal().string();
    }
    return relative.string();
}

std::vector<bool> TargetsWrittenEarlier(const std::vector<TFileStep>& steps)
{
    std::vector<bool> earlier;
    std::set<std::string> written;
    for (const TFileStep& step : steps) {
        const std::string target = KeyText(step.Target);
        earlier.push_back(!step.TargetExisted && written.contains(target));
        if (WritesTarget(step)) {
            written.insert(target);
        }
    }
    return earlier;
}

namespace {

// Paths joined into groups: a file with its target, and files whose paths meet (one's
// target is another's target or source). Each group is known by the earliest step
// that touched it.
class TPathGroups {
public:
    void Join(const std::string& a, const std::string& b, std::size_t step)
    {
        const std::string rootA = Root(Add(a, step));
        const std::string rootB = Root(Add(b, step));
        if (rootA == rootB) {
            return;
        }
        const bool aEarlier = firstStep_[rootA] <= firstStep_[rootB];
        parent_[aEarlier ? rootB : rootA] = aEarlier ? rootA : rootB;
    }
    std::size_t EarliestStep(const std::string& path) { return firstStep_[Root(path)]; }

private:
    const std::string& Add(const std::string& path, std::size_t step)
    {
        if (parent_.emplace(path, path).second) {
            firstStep_[path] = step;
        }
        return path;
    }
    std::string Root(std::string path)
    {
        while (parent_[path] != path) {
            path = parent_[path] = parent_[parent_[path]];
        }
        return path;
    }

    std::map<std::string, std::string> parent_;
    std::map<std::string, std::size_t> firstStep_;
};

}  // namespace

std::map<std::string, std::string> ShardKeys(const std::vector<TFileStep>& whole, const fs::path& root)
{
    TPathGroups groups;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        groups.Join(KeyText(whole[i].Source), KeyText(whole[i].Target), i);
    }
    std::map<std::string, std::string> keys;
    for (const TFileStep& step : whole) {
        const std::string source = KeyText(step.Source);
        keys.emplace(source, RunRelativePath(whole[groups.EarliestStep(source)].Source, root));
    }
    return keys;
}

void KeepShard(TJobPlan& plan, const std::vector<TFileStep>& whole, const TShard& shard)
{
    const fs::path root = plan.Sources.Root;
    const auto keys = std::make_shared<const std::map<std::string, std::string>>(ShardKeys(whole, root));
    plan.Rule.PassesOver = [inner = plan.Rule.PassesOver, keys, root, shard](const fs::path& source) {
        if (inner && inner(source)) {
            return true;
        }
        const auto key = keys->find(KeyText(source));
        return !InShard(key != keys->end() ? key->second : RunRelativePath(source, root), shard);
    };
}

}  // namespace quillane
