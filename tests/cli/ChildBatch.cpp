#include "ChildBatch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace quillane::test {

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TChildBatch::TChildBatch(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                         TChildLimits limits, int input)
    : out_(workingFolder / ".child-stdout"), err_(workingFolder / ".child-stderr")
{
    std::string binary = QUILLANE_BATCH_BINARY;
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv{binary.data()};
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ != 0)
        return;
    // The child: only calls that are safe between fork and exec.
    const int in = input >= 0 ? input : ::open("/dev/null", O_RDONLY);
    const int out = ::open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(workingFolder.c_str()) != 0)
        ::_exit(127);
    if (limits.FileSize > 0)
        ::signal(SIGXFSZ, SIG_IGN);
    const std::pair<int, std::uint64_t> settings[] = {
        {RLIMIT_FSIZE, limits.FileSize}, {RLIMIT_AS, limits.AddressSpace}, {RLIMIT_STACK, limits.Stack}};
    for (const auto& [resource, bytes] : settings) {
        const rlimit limit{bytes, bytes};
        if (bytes > 0 && ::setrlimit(resource, &limit) != 0)
            ::_exit(127);
    }
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
}

TChildBatch::~TChildBatch()
{
    if (pid_ > 0) {
        Kill();
        Wait();
    }
}

void TChildBatch::Kill()
{
    Signal(SIGKILL);
}

void TChildBatch::Signal(int signal)
{
    if (pid_ > 0)
        ::kill(pid_, signal);
}

TBatchResult TChildBatch::Wait()
{
    TBatchResult result;
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_)
        throw std::runtime_error("waitpid failed");
    pid_ = -1;
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadAll(out_);
    result.Err = ReadAll(err_);
    return result;
}

}  // namespace quillane::test
