// tillscribe-cli: the capture station's work without a window.
//
//   tillscribe-cli capture --device DEVICE --model MODEL [--dir DIR] [--phone NUMBER]
//   tillscribe-cli filter --model MODEL [FILE]
//   tillscribe-cli simulate --model MODEL --as COM<n> [--loop] [--rate N] [FILE]
#include "CliCapture.h"
#include "CliFilter.h"
#include "CliSimulate.h"

#include <cstdio>
#include <cstring>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: tillscribe-cli filter --model MODEL [FILE]\n"
                 "  filter   write to standard output the bytes that the capture station\n"
                 "           would capture for the raw register bytes of FILE (or standard\n"
                 "           input); MODEL is a register model name (ER-650) or 0-7\n"
                 "       tillscribe-cli capture --device DEVICE --model MODEL [--dir DIR] [--phone NUMBER]\n"
                 "  capture  the capture station without a window: DEVICE is \"Direct to COM7\" or a\n"
                 "           modem's name (with --phone); runs until SIGTERM or SIGINT\n"
                 "       tillscribe-cli simulate --model MODEL --as COM<n> [--loop] [--rate N] [FILE]\n"
                 "  simulate play FILE (or a sample journal of the model) as a register on\n"
                 "           a pseudo-terminal linked as COM n, at N bytes a second (960,\n"
                 "           9600 baud; 0: at once) while a program has it open\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return Usage();
    if (std::strcmp(argv[1], "filter") == 0)
        return tillscribe::RunFilterCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "capture") == 0)
        return tillscribe::RunCaptureCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "simulate") == 0)
        return tillscribe::RunSimulateCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        Usage();
        return 0;
    }
    std::fprintf(stderr, "tillscribe-cli: unknown command '%s'\n", argv[1]);
    return Usage();
}
