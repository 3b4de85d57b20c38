// setup: the loading program of the distribution. Unpacks the installer from
// "setup.1" beside it into a temporary folder and starts it with -s and the
// folder of the distribution files; other arguments (--silent, --dest DIR)
// are passed on.
#include "Archive.h"
#include "WinePaths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    std::string folder = tillscribe::ProgramFolder();
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    char pattern[] = "/tmp/tillsetup-XXXXXX";
    const char *temporary = ::mkdtemp(pattern);
    if (!temporary) {
        std::fprintf(stderr, "setup: cannot make a temporary folder: %s\n", std::strerror(errno));
        return 1;
    }
    int status = 1;
    try {
        tillscribe::UnpackArchive(folder + "/setup.1", temporary);
        const std::string installer = std::string(temporary) + "/Tillsetup";
        std::vector<char *> arguments{const_cast<char *>(installer.c_str()), const_cast<char *>("-s"),
                                      folder.data()};
        for (int i = 1; i < argc; ++i)
            arguments.push_back(argv[i]);
        arguments.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execv(installer.c_str(), arguments.data());
            std::fprintf(stderr, "setup: cannot start the installer: %s\n", std::strerror(errno));
            ::_exit(127);
        }
        int raw = 0;
        while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
        }
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "setup: %s\n", e.what());
    }
    std::error_code ignored;
    std::filesystem::remove_all(temporary, ignored);
    return status;
}
