// Writes a register-like print stream to standard output: journal lines with
// the control bytes and escape sequences of the three kinds of register.
//
//   register-stream MEGABYTES > stream.bin
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 100;
    const std::string lines[] = {
        "\x1b" "!!" "VIVUDIV MARKET      \x1b" "!\x01" "\n",
        "No. 000123  CLERK 01\n",
        "DATE 12/09/2025  TIME 10:41\n",
        "\x1b" "E1i" "BREAD            2.49\r\n",
        "MILK 1L           1.19   \x1b" "!\x01",
        "@\x1b" "!\x01" "SUBTOTAL          3.68\n",
        "TAX \xab              0.29\t\x15\n",
        "TOTAL             3.97\x1b" "!" "\x01" "d",
        "CASH             10.00\n\x0f\x12",
        "CHANGE            6.03\n\n",
    };
    std::string block;
    while (block.size() < (1u << 20))
        for (const std::string &line : lines)
            block += line;
    block.resize(1u << 20);
    for (long i = 0; i < megabytes; ++i)
        if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size())
            return 1;
    return 0;
}
