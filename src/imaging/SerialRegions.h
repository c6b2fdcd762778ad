#pragma once

namespace quillane {

// Gives the parallel regions this thread opens one thread, its own: run directly.
void KeepParallelRegionsOnThisThread();

// True when the parallel regions of the quantiser (and of every other OpenMP code in
// the process) come here first, so a region of one thread runs without a team.
bool SerialRegionsRunDirectly();

}  // namespace quillane
