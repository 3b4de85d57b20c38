// Helpers for the widget tests: run the event loop until something holds.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tillscribe::test {

// Processes events until done() holds or ms have passed; false on time-out.
template <typename Predicate>
bool WaitUntil(Predicate done, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace tillscribe::test
