// The uninstaller that Tillsetup installs beside the program:
//
//   uninstall [--silent] TILLSCRIBE
//
// Removes exactly what the install record beside it lists. Without --silent
// it asks first; with it, it asks nothing and prints one line per failure.
#include "Installation.h"
#include "WinePaths.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    bool silent = false;
    for (int i = 1; i < argc; ++i)
        silent |= std::strcmp(argv[i], "--silent") == 0;
    std::string folder = tillscribe::ProgramFolder();
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();

    if (!silent) {
        QApplication app(argc, argv);
        if (QMessageBox::question(nullptr, QStringLiteral("Confirm"),
                                  QStringLiteral("Remove TILLSCRIBE and all of its components?"))
            != QMessageBox::Yes)
            return 1;
        const auto failures = tillscribe::Uninstall(folder);
        if (failures.empty())
            QMessageBox::information(nullptr, QStringLiteral("Information"),
                                     QStringLiteral("TILLSCRIBE was removed."));
        else
            QMessageBox::warning(nullptr, QStringLiteral("Warning"),
                                 QStringLiteral("Some parts could not be removed:\n")
                                     + QString::fromStdString(failures.front()));
        return failures.empty() ? 0 : 1;
    }
    const auto failures = tillscribe::Uninstall(folder);
    for (const std::string &line : failures)
        std::fprintf(stderr, "uninstall: %s\n", line.c_str());
    return failures.empty() ? 0 : 1;
}
