#include "SampleJournals.h"

#include <cstdio>

namespace tillscribe {
namespace {

struct Item {
    const char *name;
    int cents;
};

const Item kItems[] = {
    {"BREAD", 249},  {"MILK 1L", 119}, {"EGGS 12", 329},   {"APPLES", 412},
    {"COFFEE", 899}, {"BUTTER", 359},  {"CHEESE", 547},    {"TEA", 275},
    {"RICE 2KG", 468}, {"SOAP", 189},  {"TOMATOES", 301},  {"ORANGE JUICE", 399},
};

std::string Money(int cents)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", cents / 100, cents % 100);
    return text;
}

std::string Padded(const std::string &left, const std::string &right, size_t width = 32)
{
    const size_t used = left.size() + right.size();
    return left + std::string(used < width ? width - used : 1, ' ') + right;
}

// One receipt as lines of text, the same for every kind of register.
struct Receipt {
    std::string number, clerk, date, time;
    std::string lines[8];
    int count = 0;
    std::string subtotal, tax, total, cash, change;
};

Receipt MakeReceipt(int n)
{
    Receipt r;
    char text[64];
    std::snprintf(text, sizeof text, "%06d", 1200 + n);
    r.number = text;
    std::snprintf(text, sizeof text, "%02d", 1 + n % 3);
    r.clerk = text;
    std::snprintf(text, sizeof text, "12/%02d/2025", 1 + n % 28);
    r.date = text;
    std::snprintf(text, sizeof text, "%02d:%02d", 8 + n % 10, (n * 7) % 60);
    r.time = text;
    int sum = 0;
    r.count = 3 + n % 4;
    for (int i = 0; i < r.count; ++i) {
        const Item &item = kItems[(n * 5 + i * 3) % (sizeof kItems / sizeof *kItems)];
        r.lines[i] = Padded(item.name, Money(item.cents));
        sum += item.cents;
    }
    const int tax = sum * 7 / 100;
    const int total = sum + tax;
    const int cash = (total / 500 + 1) * 500;
    r.subtotal = Padded("SUBTOTAL", Money(sum));
    r.tax = Padded("TAX 7%", Money(tax));
    r.total = Padded("TOTAL", Money(total));
    r.cash = Padded("CASH", Money(cash));
    r.change = Padded("CHANGE", Money(cash - total));
    return r;
}

// ER-600 family: a line ends in a line feed; an escape opens a printer
// command that ends with "i"; "No." marks the header line, which gets a blank
// line after it.
std::string EscapeSkipJournal()
{
    const std::string bold = "\x1b" "E1i", normal = "\x1b" "E0i", cut = "\x1b" "Pi";
    std::string out;
    for (int n = 0; n < 12; ++n) {
        const Receipt r = MakeReceipt(n);
        out += bold + "      VIVUDIV MARKET" + normal + "\n";
        out += "No. " + r.number + "   CLERK " + r.clerk + "\n";
        for (int i = 0; i < r.count; ++i)
            out += r.lines[i] + "\n";
        out += r.subtotal + "\n" + r.tax + "\n" + bold + r.total + normal + "\n";
        out += r.cash + "\n" + r.change + "\n";
        out += r.date + "  " + r.time + "\n\n" + cut;
    }
    return out;
}

// ER-6500: plain lines ending in a line feed; the "DATE" line of each
// receipt gets a blank line after it.
std::string LineEndJournal()
{
    std::string out;
    for (int n = 0; n < 12; ++n) {
        const Receipt r = MakeReceipt(n);
        out += "      VIVUDIV MARKET\n";
        out += "DATE " + r.date + "  TIME " + r.time + "\n";
        out += "RECEIPT " + r.number + "   CLERK " + r.clerk + "\n";
        for (int i = 0; i < r.count; ++i)
            out += r.lines[i] + "\n";
        out += r.subtotal + "\n" + r.tax + "\n" + r.total + "\n" + r.cash + "\n" + r.change + "\n\n";
    }
    return out;
}

// SPS-1000 family: a line ends with line feed, escape, "!", 1; escape "!"
// "!" starts counting the printed characters, whose number widens the next
// run of three spaces; "TIME" is followed by a printer command "d ... i".
std::string ByteMapJournal()
{
    const std::string lineEnd = "\n\x1b!\x01";
    std::string out = "\x1b!!";
    for (int n = 0; n < 12; ++n) {
        const Receipt r = MakeReceipt(n);
        out += "VIVUDIV MARKET" + lineEnd;
        out += "TIME " + r.time + "di   " + r.date + lineEnd;
        out += "RECEIPT " + r.number + " CLERK " + r.clerk + lineEnd;
        for (int i = 0; i < r.count; ++i)
            out += r.lines[i] + lineEnd;
        out += r.subtotal + lineEnd + r.tax + lineEnd + r.total + lineEnd + r.cash + lineEnd
            + r.change + lineEnd + lineEnd;
    }
    return out;
}

} // namespace

std::string SampleJournal(int model)
{
    switch (model) {
    case 5:
        return LineEndJournal();
    case 2:
    case 6:
    case 7:
        return ByteMapJournal();
    default:
        return EscapeSkipJournal();
    }
}

} // namespace tillscribe
