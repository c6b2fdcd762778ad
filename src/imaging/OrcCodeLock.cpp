#include "imaging/OrcCodeLock.h"

#include <dlfcn.h>

#include <mutex>

#include <orc/orc.h>

// liborc 0.4.33 frees compiled code without the lock its allocator takes, so two threads
// compiling and dropping programs at once corrupt its list of code chunks. The library
// reaches both through these two entry points; defined here, they take the place of
// liborc's own for every caller in the process and run them one at a time.
namespace {

// Cleared while a routine builds an operation the plain loops do faster than compiling.
thread_local bool compiling = true;

std::recursive_mutex& CodeLock()
{
    static std::recursive_mutex lock;
    return lock;
}

template <typename TFunction>
TFunction Original(const char* name)
{
    return reinterpret_cast<TFunction>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

OrcCompileResult orc_program_compile(OrcProgram* program)
{
    static const auto original = Original<OrcCompileResult (*)(OrcProgram*)>("orc_program_compile");
    if (original == nullptr || !compiling)
        return ORC_COMPILE_RESULT_UNKNOWN_COMPILE;  // the caller falls back to plain loops
    const std::lock_guard<std::recursive_mutex> guard(CodeLock());
    return original(program);
}

void orc_program_free(OrcProgram* program)
{
    static const auto original = Original<void (*)(OrcProgram*)>("orc_program_free");
    if (original == nullptr)
        return;  // kept rather than freed unguarded
    const std::lock_guard<std::recursive_mutex> guard(CodeLock());
    original(program);
}
}

namespace quillane {

bool OrcCodeIsLocked()
{
    // Only when the library's calls come here, not straight to liborc.
    return ::dlsym(RTLD_DEFAULT, "orc_program_compile") == reinterpret_cast<void*>(&orc_program_compile) &&
           ::dlsym(RTLD_DEFAULT, "orc_program_free") == reinterpret_cast<void*>(&orc_program_free) &&
           Original<void*>("orc_program_compile") != nullptr && Original<void*>("orc_program_free") != nullptr;
}

TPlainLoops::TPlainLoops(bool plain) : compiledBefore_(compiling)
{
    if (plain)
        compiling = false;
}

TPlainLoops::~TPlainLoops()
{
    compiling = compiledBefore_;
}

}  // namespace quillane
