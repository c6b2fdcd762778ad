#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "jobs/BatchJob.h"
#include "jobs/JobPlan.h"
#include "jobs/OutputRule.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// The usual target: folder + the source's file name, with the affix applied.
std::filesystem::path AffixedTarget(const std::filesystem::path& source, const std::string& targetFolder,
                                    const TOutputRule& rule);

// The plan of a job that writes new files into an output folder: targets named by
// AffixedTarget, an existing target asked about, "处理完成！" at the end.
TJobPlan NewFilePlan(TJobPage page, const TSourceList& sources, const TNamedField& saveField, const TOutputRule& output,
                     std::string successText, std::string failureText);

// The run of a checked plan: the results box, the output field's "/", the busy cursor,
// one overwrite answer for the whole run, the items in list order (folder items walked),
// one step per file through the executor, the stopped-run line, the closing message.
TRunOutcome RunPlan(TJobHost& host, const TJobPlan& plan);

// The steps the run of `plan` would take as things stand, in order, with nothing
// written, created, renamed or asked: each with its source, target, routine and
// settings, whether its target exists and whether it would be asked about. The host
// is told nothing but the messages a run would show.
std::vector<TFileStep> ListPlan(TJobHost& host, const TJobPlan& plan);

// A click handled inline: the checks, then the run when they pass. Empty when a check
// stopped the click.
std::optional<TRunOutcome> RunClick(TBatchJob& job, TJobHost& host, const TSourceList& sources,
                                    const TReplacePolicy& replacing = {});

}  // namespace quillane
