#pragma once

namespace quillane {

// True when every compile and free of the library's run-time compiled loops in this
// process goes through one lock, so the loops are safe on every thread.
bool OrcCodeIsLocked();

}  // namespace quillane
