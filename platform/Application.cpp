#include "Application.h"

#include "MessageBoxes.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tillscribe {

void ShowStandardError(const char *what)
{
    ShowMessage(MsgKind::Error, QString::fromLocal8Bit(what));
}

bool RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &e) {
        ShowStandardError(e.what());
    } catch (...) {
        ShowStandardError("Unknown error");
    }
    return false;
}

TillscribeApplication::TillscribeApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TillscribeApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    RunGuarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}

namespace {

int gSignalPipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int signo)
{
    const unsigned char byte = static_cast<unsigned char>(signo);
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);
}

} // namespace

void CloseOnQuitSignals(QWidget *window)
{
    if (gSignalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        unsigned char byte;
        [[maybe_unused]] const ssize_t n = ::read(gSignalPipe[0], &byte, 1);
        if (window->close())
            QCoreApplication::quit(); // leaves any nested loop of a box as well
    });
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signo : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signo, &action, nullptr);
}

} // namespace tillscribe
