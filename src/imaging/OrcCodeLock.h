#pragma once

namespace quillane {

// True when every compile and free of the library's run-time compiled loops in this
// process goes through one lock, so the loops are safe on every thread.
bool OrcCodeIsLocked();

// While one lives, with `plain` set, the operations this thread builds use the library's
// plain loops: compiling costs about a millisecond, more than small pictures gain.
// Which loops a picture gets depends on the picture alone, never on the other workers.
class TPlainLoops {
public:
    explicit TPlainLoops(bool plain);
    ~TPlainLoops();
    TPlainLoops(const TPlainLoops&) = delete;
    TPlainLoops& operator=(const TPlainLoops&) = delete;

private:
    bool compiledBefore_;
};

}  // namespace quillane
