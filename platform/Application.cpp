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
    OnQuitSignals(window, [window] {
        if (window->close())
            QCoreApplication::quit(); // leaves any nested loop of a box as well
    });
}

void OnQuitSignals(QObject *context, std::function<void()> action)
{
    if (gSignalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [action] {
        unsigned char byte;
        [[maybe_unused]] const ssize_t n = ::read(gSignalPipe[0], &byte, 1);
        action();
    });
    struct sigaction handler = {};
    handler.sa_handler = OnQuitSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    for (int signo : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signo, &handler, nullptr);
}

} // namespace tillscribe
