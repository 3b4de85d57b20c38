// Capture pipeline figure: a capture program on one end of a pty, the stream
// written into the other end as fast as the kernel takes it.
//
//   capture-pipeline tillscribe PROGRAM STREAM EXPECTED
//   capture-pipeline picocom    picocom STREAM
//
// For tillscribe, a copy of PROGRAM runs offscreen in a temporary folder with
// settings that auto-connect to COM9, linked to the pty. For picocom, the pty
// is opened with --logfile. When every byte has been read off the line the
// program gets SIGTERM; the figure is MB/s from first byte to drained, CPU
// seconds per MB of the program, and whether its file holds every byte
// (tillscribe: the filtered EXPECTED; picocom: the raw STREAM).
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

static std::string Slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

static int Unread(const std::string &slave)
{
    const int fd = ::open(slave.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    int waiting = -1;
    if (fd >= 0) {
        ::ioctl(fd, FIONREAD, &waiting);
        ::close(fd);
    }
    return waiting;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: capture-pipeline tillscribe|picocom PROGRAM STREAM [EXPECTED]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string stream = Slurp(argv[3]);
    const std::string expected = mode == "tillscribe" ? Slurp(argv[4]) : stream;

    char tmpl[] = "/tmp/capture-pipeline-XXXXXX";
    const fs::path dir = ::mkdtemp(tmpl);
    int master = -1, slave = -1;
    char slaveName[256] = {};
    ::openpty(&master, &slave, slaveName, nullptr, nullptr);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::close(slave);

    fs::path captureFile;
    std::string program;
    if (mode == "tillscribe") {
        ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
        fs::create_directories(dir / "wine/dosdevices");
        fs::create_symlink(slaveName, dir / "wine/dosdevices/com9");
        program = (dir / "tillscribe").string();
        fs::copy_file(argv[2], program);
        std::ofstream(dir / "YXOD172.UJJ")
            << "[Maintain]\nCommPort=Direct to COM9\nPhoneNum=\nRegister=2\nAutoConnect=TRUE\n";
    } else {
        program = argv[2];
        captureFile = dir / "picocom.log";
    }

    // picocom reads keys from its standard input: give it a terminal that
    // stays silent, so it neither ends at end of input nor gets any key.
    int keysMaster = -1, keysSlave = -1;
    ::openpty(&keysMaster, &keysSlave, nullptr, nullptr, nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid(); // picocom signals its whole process group when it ends
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        if (mode == "tillscribe") {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        } else {
            ::dup2(keysSlave, STDIN_FILENO);
            ::execlp(program.c_str(), program.c_str(), "--quiet", "--nolock", "--logfile",
                     captureFile.c_str(), slaveName, static_cast<char *>(nullptr));
        }
        ::_exit(127);
    }

    // The line is open when the master stops seeing a hang-up.
    for (int i = 0; i < 1000; ++i) {
        pollfd p{master, POLLOUT, 0};
        ::poll(&p, 1, 0);
        if (!(p.revents & POLLHUP))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (mode == "tillscribe")
        for (const auto &e : fs::directory_iterator(dir))
            if (e.path().extension() == ".txt")
                captureFile = e.path();

    const auto start = Clock::now();
    size_t done = 0;
    while (done < stream.size()) {
        const ssize_t n = ::write(master, stream.data() + done, stream.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            break;
    }
    while (Unread(slaveName) > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    ::kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6
        + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    const double megabytes = stream.size() / 1e6;
    const std::string captured = Slurp(captureFile.string());
    std::printf("%-10s %6.1f MB in %6.2f s = %7.1f MB/s; CPU %6.3f s = %6.3f s/MB; file %s (%zu of %zu bytes)\n",
                mode.c_str(), megabytes, seconds, megabytes / seconds, cpu, cpu / megabytes,
                captured == expected ? "complete" : "INCOMPLETE", captured.size(), expected.size());
    ::close(master);
    fs::remove_all(dir);
    return captured == expected ? 0 : 1;
}
