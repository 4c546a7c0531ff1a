// The one place of the game library that calls the system directly: the
// standard library cannot flush a file or a folder to the disk.
#include "save/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

namespace q {

namespace {

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, telling whether the close went well.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only lasting once the folder's entry is on the disk too. A
// file system that cannot flush a folder (EINVAL) has nothing to flush.
bool FlushFolder(const std::string& path) {
    Descriptor dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return false;
    if (::fsync(dir.get()) != 0 && errno != EINVAL) return false;
    return dir.Close();
}

bool WriteTemporary(const std::string& temp, std::string_view bytes) {
    Descriptor file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.get() < 0) return false;
    if (!WriteAll(file.get(), bytes)) return false;
    if (::fsync(file.get()) != 0) return false;
    return file.Close();
}

}  // namespace

std::string TemporaryFileOf(const std::string& path) { return path + ".tmp"; }

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    const std::string temp = TemporaryFileOf(path);
    ::unlink(temp.c_str());  // what an interrupted write left
    if (!WriteTemporary(temp, bytes) || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return FlushFolder(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

}  // namespace q
