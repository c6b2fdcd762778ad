#include "cli/BatchProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quillane::test {

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// In the child: stdin from /dev/null, stdout and stderr into the two files.
[[noreturn]] void ExecBatch(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                            const std::filesystem::path& out, const std::filesystem::path& err)
{
    const int in = ::open("/dev/null", O_RDONLY);
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || outFd < 0 || errFd < 0 || ::dup2(in, 0) < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 ||
        ::chdir(folder.c_str()) != 0) {
        ::_exit(127);
    }
    std::vector<char*> argv;
    std::string binary = QUILLANE_BATCH_BINARY;
    argv.push_back(binary.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
}

}  // namespace

std::vector<std::string> TBatchResult::OutLines() const
{
    return SplitLines(Out);
}

std::vector<std::string> TBatchResult::ErrLines() const
{
    return SplitLines(Err);
}

TBatchResult RunBatch(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder)
{
    const std::filesystem::path out = workingFolder / ".batch-stdout";
    const std::filesystem::path err = workingFolder / ".batch-stderr";
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ExecBatch(arguments, workingFolder, out, err);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) {
        throw std::runtime_error("waitpid failed");
    }
    TBatchResult result;
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadAll(out);
    result.Err = ReadAll(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

}  // namespace quillane::test
