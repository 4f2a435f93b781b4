#include "shell/model/WritableName.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace shell {

namespace {

std::string Reason(int error) { return std::strerror(error); }

} // namespace

std::string WhyNotWritable(const std::string& path) {
    if (path.empty())
        return Reason(ENOENT);
    if (path.size() >= PATH_MAX)
        return Reason(ENAMETOOLONG);
    const std::filesystem::path name(path);
    const std::string folder = name.has_parent_path() ? name.parent_path().string() : std::string(".");
    struct stat st;
    if (stat(folder.c_str(), &st) != 0)
        return Reason(errno);
    if (!S_ISDIR(st.st_mode))
        return Reason(ENOTDIR);
    // The file is written under a name of its own in the folder and renamed into place.
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return Reason(errno);
    const long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest > 0 && name.filename().string().size() > static_cast<std::size_t>(longest))
        return Reason(ENAMETOOLONG);
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? std::string() : Reason(errno);
    if (S_ISDIR(st.st_mode))
        return Reason(EISDIR);
    if (!S_ISREG(st.st_mode))
        return Reason(EINVAL);
    return access(path.c_str(), W_OK) == 0 ? std::string() : Reason(errno);
}

} // namespace shell
