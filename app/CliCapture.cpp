#include "CliCapture.h"

#include "Application.h"
#include "HeadlessCapture.h"
#include "TillscribeVivudivUnit.h"
#include "WinePaths.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tillscribe {

int RunCaptureCommand(int argc, char **argv)
{
    const char *usage = "usage: tillscribe-cli capture --device DEVICE --model MODEL [--dir DIR] "
                        "[--phone NUMBER] [--tick SECONDS]";
    HeadlessOptions options;
    std::string modelText;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--device" && value)
            options.device = argv[++i];
        else if (arg == "--model" && value)
            modelText = argv[++i];
        else if (arg == "--dir" && value)
            options.folder = argv[++i];
        else if (arg == "--phone" && value)
            options.phone = argv[++i];
        else if (arg == "--tick" && value)
            options.tickMs = std::max(1, std::atoi(argv[++i])) * 1000;
        else {
            std::fprintf(stderr, "tillscribe-cli: unexpected argument '%s'; %s\n", arg.c_str(), usage);
            return 2;
        }
    }
    options.model = RegisterModelFromText(modelText);
    if (options.model < 0 || options.device.empty()) {
        std::fprintf(stderr, "tillscribe-cli: %s\n", options.device.empty() ? usage
                                                      : ("unknown register model '" + modelText + "'").c_str());
        return 2;
    }
    if (options.folder.empty())
        options.folder = DataFolder();
    if (options.folder.back() != '/')
        options.folder += '/';

    QCoreApplication app(argc, argv);
    HeadlessCapture station(options, [](const std::string &line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    });
    OnQuitSignals(&app, [] { QCoreApplication::quit(); });
    if (!station.Start())
        return 1;
    app.exec();
    station.Stop(); // hang up and write the buffer out
    std::printf("Stopped; %s is complete\n", station.CaptureFile().c_str());
    return 0;
}

} // namespace tillscribe
