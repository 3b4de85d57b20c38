// A pseudo-terminal standing in for a register's serial line, linked as a
// COM port under $WINEPREFIX/dosdevices.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/ioctl.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tillscribe::test {

class PtyPort {
public:
    // Links $WINEPREFIX/dosdevices/com<number> to a new pty's slave.
    explicit PtyPort(int number)
    {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        ::tcgetattr(master_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(master_, TCSANOW, &raw);
        ::close(slave); // the program under test opens it
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        // Programs started by the test must not keep the register end open.
        ::fcntl(master_, F_SETFD, FD_CLOEXEC);
        slavePath_ = name;
        const std::filesystem::path dosdevices = std::filesystem::path(std::getenv("WINEPREFIX")) / "dosdevices";
        std::filesystem::create_directories(dosdevices);
        link_ = dosdevices / ("com" + std::to_string(number));
        std::filesystem::remove(link_);
        std::filesystem::create_symlink(slavePath_, link_);
    }
    ~PtyPort()
    {
        CloseMaster();
        std::error_code ignored;
        std::filesystem::remove(link_, ignored);
    }
    PtyPort(const PtyPort &) = delete;
    PtyPort &operator=(const PtyPort &) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string &SlavePath() const { return slavePath_; }

    // Plays bytes as the register. When the line is full, waitForReader
    // runs (a reader in this same thread gets its turn there).
    template <typename Wait>
    bool Send(const std::string &bytes, Wait waitForReader)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<size_t>(n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            else
                waitForReader();
        }
        return true;
    }
    // Gives up when the reader takes nothing for ten seconds.
    bool Send(const std::string &bytes)
    {
        int idle = 0;
        bool stalled = false;
        const bool sent = Send(bytes, [&] {
            pollfd p{master_, POLLOUT, 0};
            if (::poll(&p, 1, 100) == 0 && ++idle > 100) {
                stalled = true;
                CloseMaster();
            }
        });
        return sent && !stalled;
    }

    // The register is unplugged.
    void CloseMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

    int Master() const { return master_; }

    // Bytes that the program on the line has not read yet; -1 if unknown.
    int Unread() const
    {
        const int fd = ::open(slavePath_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        int waiting = -1;
        if (fd >= 0) {
            ::ioctl(fd, FIONREAD, &waiting);
            ::close(fd);
        }
        return waiting;
    }

private:
    int master_ = -1;
    std::string slavePath_;
    std::filesystem::path link_;
};

} // namespace tillscribe::test
