#include "ui/settings/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quillane {
namespace fs = std::filesystem;
namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor() { Close(); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    bool Close()
    {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

// Removes the temporary file on every path that did not rename it into place.
class TTemporaryName {
public:
    explicit TTemporaryName(std::string name) : name_(std::move(name)) {}
    ~TTemporaryName()
    {
        if (!name_.empty())
            ::unlink(name_.c_str());
    }
    TTemporaryName(const TTemporaryName&) = delete;
    TTemporaryName& operator=(const TTemporaryName&) = delete;
    const std::string& Name() const { return name_; }
    void Release() { name_.clear(); }

private:
    std::string name_;
};

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

fs::path ResolveLink(const fs::path& file)
{
    std::error_code ec;
    const fs::path target = fs::canonical(file, ec);
    return ec ? file : target;
}

bool ReplaceThroughTemporary(const fs::path& file, const std::string& text, mode_t mode, bool& tempCreated)
{
    std::string pattern = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    TFileDescriptor fd(::mkstemp(pattern.data()));
    tempCreated = fd.Valid();
    if (!fd.Valid())
        return false;
    TTemporaryName temp(pattern);
    // No fsync: closing the window writes some fifty values one by one, and a flush
    // each would cost a noticeable pause; the rename already keeps readers from ever
    // seeing a half-written file.
    const bool written = ::fchmod(fd.Get(), mode) == 0 && WriteAll(fd.Get(), text);
    if (!fd.Close() || !written)
        return false;
    if (::rename(temp.Name().c_str(), file.c_str()) != 0)
        return false;
    temp.Release();
    return true;
}

bool RewriteInPlace(const fs::path& file, const std::string& text)
{
    TFileDescriptor fd(::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    return fd.Valid() && WriteAll(fd.Get(), text) && fd.Close();
}

}  // namespace

bool ReadTextFile(const fs::path& file, std::string& text)
{
    text.clear();
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool ReplaceTextFile(const fs::path& requested, const std::string& text)
{
    const fs::path file = ResolveLink(requested);
    struct stat info {};
    const bool exists = ::stat(file.c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0))
        return false;
    std::error_code ec;
    if (!file.parent_path().empty())
        fs::create_directories(file.parent_path(), ec);
    if (ec)
        return false;
    const mode_t mode = exists ? (info.st_mode & 07777) : 0644;
    bool tempCreated = false;
    if (ReplaceThroughTemporary(file, text, mode, tempCreated))
        return true;
    return !tempCreated && exists && RewriteInPlace(file, text);
}

}  // namespace quillane
