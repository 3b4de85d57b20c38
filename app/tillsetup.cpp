// Tillsetup: installs Tillscribe from the distribution files.
//
//   Tillsetup -s FOLDER [--silent] [--dest DIR]
//
// The loading program ("setup") passes -s and the folder of the distribution
// files. --silent takes every default, shows nothing, prints one line per
// failure and exits 0 only on a complete installation.
#include "Installation.h"
#include "installationV6.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    tillscribe::InstallOptions options;
    bool silent = false;
    bool haveSource = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-s") == 0 && i + 1 < argc) {
            options.distributionFolder = argv[++i];
            haveSource = true;
        } else if (std::strcmp(argv[i], "--silent") == 0) {
            silent = true;
        } else if (std::strcmp(argv[i], "--dest") == 0 && i + 1 < argc) {
            options.destination = argv[++i];
        } else {
            std::fprintf(stderr, "Tillsetup: unexpected argument '%s'\n", argv[i]);
            return 2;
        }
    }
    if (!haveSource) {
        std::fprintf(stderr, "Tillsetup: the path of the loading program was not passed (-s FOLDER); "
                             "start the installation with \"setup\"\n");
        return 2;
    }
    if (!silent) {
        QApplication app(argc, argv);
        tillscribe::TfrmVSixInstall frmVSixInstall(options);
        // The whole screen, also where no window manager maximises it.
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            frmVSixInstall.setGeometry(screen->availableGeometry());
        frmVSixInstall.showMaximized();
        return frmVSixInstall.Run();
    }
    const tillscribe::InstallResult result = tillscribe::Install(options);
    for (const std::string &line : result.failures)
        std::fprintf(stderr, "Tillsetup: %s\n", line.c_str());
    return result.complete ? 0 : 1;
}
