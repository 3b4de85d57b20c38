#include "CliFilter.h"

#include "TillscribeVivudivUnit.h"
#include "UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tillscribe {
namespace {

constexpr size_t kBlock = 1 << 20;

int Fail(const std::string &message)
{
    std::fprintf(stderr, "tillscribe-cli: %s\n", message.c_str());
    return 2;
}

bool WriteAll(int fd, const std::uint8_t *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

int RunFilterCommand(int argc, char **argv)
{
    std::string modelText;
    std::string file;
    bool haveModel = false;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--model" && i + 1 < argc) {
            modelText = argv[++i];
            haveModel = true;
        } else if (arg.rfind("--model=", 0) == 0) {
            modelText = arg.substr(8);
            haveModel = true;
        } else if (file.empty() && (arg == "-" || arg.rfind("-", 0) != 0)) {
            file = arg;
        } else {
            return Fail("unexpected argument '" + arg
                        + "'; usage: tillscribe-cli filter --model MODEL [FILE]");
        }
    }
    if (!haveModel)
        return Fail("missing --model; usage: tillscribe-cli filter --model MODEL [FILE]");
    const int model = RegisterModelFromText(modelText);
    if (model < 0)
        return Fail("unknown register model '" + modelText
                    + "' (use ER-600, ER-650, SPS-1000, ER-52XX, ER-52XXM, ER-6500, ER-7000, "
                      "SPS-2000 or 0-7)");

    UniqueFd owned;
    int in = STDIN_FILENO;
    if (!file.empty() && file != "-") {
        owned.reset(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (!owned)
            return Fail(file + ": " + std::strerror(errno));
        in = owned.get();
    }
    const std::string inName = file.empty() || file == "-" ? "standard input" : file;

    std::vector<std::uint8_t> input(kBlock);
    std::vector<std::uint8_t> output(kBlock * TEmuCommand::kTextCapacity);
    TVivudivFilterState state;
    for (;;) {
        const ssize_t n = ::read(in, input.data(), input.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(inName + ": " + std::strerror(errno));
        }
        if (n == 0)
            break;
        const size_t shown =
            FilterBlock(state, model, input.data(), static_cast<size_t>(n), output.data());
        if (!WriteAll(STDOUT_FILENO, output.data(), shown))
            return Fail(std::string("standard output: ") + std::strerror(errno));
    }
    return 0;
}

} // namespace tillscribe
