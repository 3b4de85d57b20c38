// The application object: the help file name, the standard error box, and
// closing the main window on a quit signal.
//
//   TillscribeApplication app(argc, argv);
//   app.SetHelpFile("TILLSCRIBE.hlp");
//   connect(button, &QPushButton::clicked, form, Guarded(form, &Form::btnClick));
//   CloseOnQuitSignals(&mainWindow);   // SIGTERM, SIGINT, SIGHUP
//
// An error that no handler catches is shown in the standard error box and
// ends only the handler that raised it; the program runs on. Handlers are
// connected through Guarded, which is that one place.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace tillscribe {

// Shows an uncaught error's text in the standard error box.
void ShowStandardError(const char *what);

// Runs the handler; an error that leaves it goes to the standard error box.
// Returns false when it did.
bool RunGuarded(const std::function<void()> &handler);

// A slot that runs form->handler() through RunGuarded.
template <typename Form, typename Handler>
auto Guarded(Form *form, Handler handler)
{
    return [form, handler](auto &&...) { RunGuarded([form, handler] { (form->*handler)(); }); };
}

class TillscribeApplication : public QApplication {
public:
    TillscribeApplication(int &argc, char **argv);

    QString HelpFile() const { return helpFile_; }
    void SetHelpFile(const QString &name) { helpFile_ = name; }

    // The last net under every event: no error ends the program.
    bool notify(QObject *receiver, QEvent *event) override;

private:
    QString helpFile_;
};

// SIGTERM, SIGINT and SIGHUP close the window exactly as its close box does,
// then end the event loop.
void CloseOnQuitSignals(QWidget *window);

// SIGTERM, SIGINT and SIGHUP run action on the event loop (context owns the watch).
void OnQuitSignals(QObject *context, std::function<void()> action);

} // namespace tillscribe
