// A Hayes modem on a pseudo-terminal, for the tests: commands by V.250, the
// call's far end a register playing its journal.
//
// Like a modem in the field: echo on after reset, verbose results framed by
// CR LF, "CONNECT 9600" with a speed, "+++" an escape only with guard-time
// silence before and after it, any character ending a dial in progress.
// Dialled numbers ending in 2 are busy, in 3 not answered, in 4 give
// NO CARRIER, in 9 never answer; any other number connects.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <fcntl.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tillscribe::test {

class ModemSimulator : public QObject {
public:
    explicit ModemSimulator(std::string journal, int guardMs = 100)
        : journal_(std::move(journal)), guardMs_(guardMs)
    {
        int slave = -1;
        char name[256] = {};
        ::openpty(&master_, &slave, name, nullptr, nullptr);
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        ::close(slave);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        slavePath_ = name;
        notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
        sinceLastByte_.start();
        result_.setSingleShot(true);
        connect(&result_, &QTimer::timeout, this, [this] { FinishDial(); });
        escape_.setSingleShot(true);
        connect(&escape_, &QTimer::timeout, this, [this] {
            online_ = false;
            plusCount_ = 0;
            Respond("OK", "0");
        });
        connect(&player_, &QTimer::timeout, this, [this] { Play(); });
    }
    ~ModemSimulator() override
    {
        delete notifier_;
        ::close(master_);
    }

    const std::string &SlavePath() const { return slavePath_; }
    bool JournalPlayed() const { return played_ == journal_.size(); }
    bool CallUp() const { return callUp_; }

    QStringList commands; // every command line, as received
    int dials = 0;
    std::string typedOnline;

private:
    void Write(const std::string &bytes)
    {
        [[maybe_unused]] const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    }
    void Respond(const char *verbal, const char *numeric)
    {
        Write(verbose_ ? std::string("\r\n") + verbal + "\r\n" : std::string(numeric) + "\r");
    }

    void OnReadable()
    {
        char buffer[512];
        ssize_t n;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0)
            for (ssize_t i = 0; i < n; ++i)
                Receive(buffer[i]);
    }

    void Receive(char c)
    {
        const bool quietBefore = sinceLastByte_.elapsed() >= guardMs_;
        sinceLastByte_.restart();
        escape_.stop();
        if (online_) {
            if (c == '+' && (plusCount_ > 0 || quietBefore) && plusCount_ < 3) {
                if (++plusCount_ == 3)
                    escape_.start(guardMs_); // silence after it makes the escape
                return;
            }
            typedOnline.append(static_cast<size_t>(plusCount_), '+');
            plusCount_ = 0;
            typedOnline += c;
            return;
        }
        if (result_.isActive()) { // a character ends the dial
            result_.stop();
            Respond("NO CARRIER", "3");
            return;
        }
        if (echo_)
            Write(std::string(1, c));
        if (c == '\r') {
            Execute(line_);
            line_.clear();
        } else if (c != '\n') {
            line_ += c;
        }
    }

    void Execute(const std::string &text)
    {
        std::string line;
        for (char c : text)
            line += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (line.empty())
            return;
        commands << QString::fromStdString(line);
        if (line.compare(0, 2, "AT") != 0) {
            Respond("ERROR", "4");
            return;
        }
        for (size_t i = 2; i < line.size(); ++i) {
            const char c = line[i];
            const char arg = i + 1 < line.size() ? line[i + 1] : '0';
            switch (c) {
            case 'Z':
                echo_ = verbose_ = true;
                break;
            case 'E':
                echo_ = arg == '1';
                ++i;
                break;
            case 'V':
                verbose_ = arg == '1';
                ++i;
                break;
            case 'Q':
                ++i;
                break;
            case 'H':
                callUp_ = false;
                player_.stop();
                if (i + 1 < line.size() && std::isdigit(static_cast<unsigned char>(arg)))
                    ++i;
                break;
            case 'O':
                if (callUp_) {
                    online_ = true;
                    Respond("CONNECT 9600", "12");
                    return;
                }
                break;
            case 'D': {
                std::string number = line.substr(i + 1);
                if (!number.empty() && (number[0] == 'T' || number[0] == 'P'))
                    number.erase(0, 1);
                Dial(number);
                return;
            }
            default:
                break;
            }
        }
        Respond("OK", "0");
    }

    void Dial(const std::string &number)
    {
        ++dials;
        dialled_ = number;
        if (!number.empty() && number.back() == '9')
            return; // rings for ever
        result_.start(50);
    }

    void FinishDial()
    {
        const char last = dialled_.empty() ? '0' : dialled_.back();
        if (last == '2')
            Respond("BUSY", "7");
        else if (last == '3')
            Respond("NO ANSWER", "8");
        else if (last == '4')
            Respond("NO CARRIER", "3");
        else {
            Respond("CONNECT 9600", "12");
            online_ = callUp_ = true;
            player_.start(5);
        }
    }

    void Play()
    {
        if (!online_ || !callUp_)
            return;
        const size_t want = std::min<size_t>(512, journal_.size() - played_);
        const ssize_t n = ::write(master_, journal_.data() + played_, want);
        if (n > 0)
            played_ += static_cast<size_t>(n);
        if (played_ == journal_.size())
            player_.stop();
    }

    std::string journal_;
    int guardMs_;
    int master_ = -1;
    std::string slavePath_;
    QSocketNotifier *notifier_ = nullptr;
    QElapsedTimer sinceLastByte_;
    QTimer result_, escape_, player_;
    std::string line_, dialled_;
    bool echo_ = true, verbose_ = true, online_ = false, callUp_ = false;
    int plusCount_ = 0;
    size_t played_ = 0;
};

} // namespace tillscribe::test
