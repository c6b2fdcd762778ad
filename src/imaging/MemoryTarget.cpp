#include "imaging/MemoryTarget.h"

#include <utility>

namespace quillane {

namespace {

thread_local TMemoryTarget* memoryTargetOfThread = nullptr;

}  // namespace

TMemoryTarget::TMemoryTarget() : previous_(memoryTargetOfThread)
{
    memoryTargetOfThread = this;
}

TMemoryTarget::~TMemoryTarget()
{
    memoryTargetOfThread = previous_;
}

TMemoryTarget* TMemoryTarget::OfThisThread()
{
    return memoryTargetOfThread;
}

void TMemoryTarget::Keep(std::string bytes)
{
    bytes_ = std::move(bytes);
    written_ = true;
}

}  // namespace quillane
