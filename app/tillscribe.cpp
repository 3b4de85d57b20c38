// Tillscribe: the capture station.
#include "Application.h"
#include "TillscribeMainFm.h"

int main(int argc, char **argv)
{
    tillscribe::TillscribeApplication app(argc, argv);
    app.SetHelpFile(QStringLiteral("TILLSCRIBE.hlp"));

    tillscribe::TfrmTillscribeMain mainWindow;
    tillscribe::frmTillscribeMain = &mainWindow;
    // A failed start shows its error; the window opens all the same.
    tillscribe::RunGuarded([&mainWindow] { mainWindow.FormCreate(); });
    tillscribe::CloseOnQuitSignals(&mainWindow);
    mainWindow.show();
    const int status = app.exec();
    tillscribe::frmTillscribeMain = nullptr;
    return status;
}
