#include "CliSimulate.h"

#include "SampleJournals.h"
#include "TillscribeVivudivUnit.h"
#include "WinePaths.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace tillscribe {
namespace {

volatile std::sig_atomic_t gStop = 0;

extern "C" void OnStopSignal(int)
{
    gStop = 1;
}

int Fail(const std::string &message)
{
    std::fprintf(stderr, "tillscribe-cli: %s\n", message.c_str());
    return 2;
}

const char *kUsage = "usage: tillscribe-cli simulate --model MODEL --as COM<n> [--loop] "
                     "[--rate BYTES_PER_SECOND] [FILE]";

double Now()
{
    timespec ts;
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The link $WINEPREFIX/dosdevices/com<n> to the pty, removed when done.
class ComLink {
public:
    bool Make(int number, const std::string &target, std::string &error)
    {
        const std::string folder = WinePrefix() + "/dosdevices";
        if (::mkdir(WinePrefix().c_str(), 0755) != 0 && errno != EEXIST) {
            error = WinePrefix() + ": " + std::strerror(errno);
            return false;
        }
        if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
            error = folder + ": " + std::strerror(errno);
            return false;
        }
        path_ = folder + "/com" + std::to_string(number);
        struct stat st;
        if (::lstat(path_.c_str(), &st) == 0) {
            // Only a link to a device that is gone (a simulator that died) is replaced.
            if (!S_ISLNK(st.st_mode) || ::stat(path_.c_str(), &st) == 0) {
                error = path_ + " already exists; COM" + std::to_string(number) + " is taken";
                path_.clear();
                return false;
            }
            ::unlink(path_.c_str());
        }
        if (::symlink(target.c_str(), path_.c_str()) != 0) {
            error = path_ + ": " + std::strerror(errno);
            path_.clear();
            return false;
        }
        return true;
    }
    ~ComLink()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

private:
    std::string path_;
};

// True while somebody has the line open.
bool ReaderPresent(int master)
{
    pollfd p{master, POLLOUT, 0};
    ::poll(&p, 1, 0);
    return !(p.revents & POLLHUP);
}

void DiscardTyped(int master)
{
    char typed[256];
    while (::read(master, typed, sizeof typed) > 0) {
    }
}

} // namespace

int RunSimulateCommand(int argc, char **argv)
{
    std::string modelText, as, file;
    bool loop = false;
    long rate = 960; // 9600 baud, 8 data bits, 1 stop bit
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--model" && i + 1 < argc)
            modelText = argv[++i];
        else if (arg == "--as" && i + 1 < argc)
            as = argv[++i];
        else if (arg == "--loop")
            loop = true;
        else if (arg == "--rate" && i + 1 < argc) {
            char *end = nullptr;
            rate = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || rate < 0)
                return Fail(std::string("bad --rate '") + argv[i] + "'");
        } else if (file.empty() && !arg.empty() && arg[0] != '-')
            file = arg;
        else
            return Fail("unexpected argument '" + arg + "'; " + kUsage);
    }
    const int model = RegisterModelFromText(modelText);
    if (model < 0)
        return Fail("unknown register model '" + modelText + "'; " + kUsage);
    int number = 0;
    if (as.size() > 3 && (as.compare(0, 3, "COM") == 0 || as.compare(0, 3, "com") == 0)) {
        char *end = nullptr;
        number = static_cast<int>(std::strtol(as.c_str() + 3, &end, 10));
        if (*end != '\0')
            number = 0;
    }
    if (number < 1 || number > 50)
        return Fail("bad --as '" + as + "' (COM1 to COM50); " + kUsage);

    std::string journal;
    if (file.empty()) {
        journal = SampleJournal(model);
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return Fail(file + ": " + std::strerror(errno));
        journal.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    int master = -1, slave = -1;
    char slaveName[256] = {};
    if (::openpty(&master, &slave, slaveName, nullptr, nullptr) != 0)
        return Fail(std::string("cannot make a pseudo-terminal: ") + std::strerror(errno));
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::close(slave);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    ComLink link;
    std::string error;
    if (!link.Make(number, slaveName, error)) {
        ::close(master);
        return Fail(error);
    }
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signo : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signo, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("Simulating %s on COM%d (%s)\n", kRegisterModelNames[model].data(), number, slaveName);
    std::fflush(stdout);

    // Bytes go out only while a reader has the line open: nothing is played
    // into an empty room. At the given rate, in slices of 20 ms.
    std::size_t at = 0;
    double allowance = 0, last = Now();
    while (!gStop) {
        if (at == journal.size()) {
            if (!loop)
                break;
            at = 0;
        }
        pollfd p{master, POLLIN, 0};
        ::poll(&p, 1, 20);
        DiscardTyped(master);
        const double now = Now();
        if (!ReaderPresent(master)) {
            last = now;
            allowance = 0;
            continue;
        }
        allowance = rate == 0 ? 1e9 : std::min(allowance + (now - last) * rate, rate * 0.1 + 1);
        last = now;
        const std::size_t want = std::min<std::size_t>(journal.size() - at, static_cast<std::size_t>(allowance));
        if (want == 0)
            continue;
        const ssize_t n = ::write(master, journal.data() + at, want);
        if (n > 0) {
            at += static_cast<std::size_t>(n);
            allowance -= static_cast<double>(n);
        }
    }
    // Give the reader a moment to take the last bytes before the line goes.
    for (int i = 0; i < 50 && !gStop && ReaderPresent(master); ++i) {
        DiscardTyped(master);
        ::usleep(20000);
    }
    ::close(master);
    return 0;
}

} // namespace tillscribe
