#include "StRegIni.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace tillscribe {
namespace {

const char *const kWriteFailed = "Failed to write value to INI file";

std::string Trim(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i]))
            != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// exists: the file is there. A file that is there but cannot be read reads
// as unreadable, so that no write replaces what it could not see.
std::vector<std::string> ReadLines(const std::string &path, bool &exists, bool *unreadable = nullptr)
{
    struct stat st;
    std::ifstream in(path, std::ios::binary);
    exists = static_cast<bool>(in);
    if (unreadable)
        *unreadable = !exists && ::stat(path.c_str(), &st) == 0;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[name]" gives name; anything else is not a section header.
bool SectionName(const std::string &line, std::string &name)
{
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    const auto close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(trimmed.substr(1, close - 1));
    return true;
}

// "key=value" gives key and value; comments and other lines do not.
bool KeyValue(const std::string &line, std::string &key, std::string &value)
{
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return false;
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    // A value in matching quotes reads without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

// Replaces the file's contents as one step: a crash leaves the old file or
// the new one, never half of either.
bool WriteLines(const std::string &name, const std::vector<std::string> &lines)
{
    // Through a link to the file it names, which stays a link.
    char *real = ::realpath(name.c_str(), nullptr);
    const std::string path = real ? real : name;
    std::free(real);
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    struct stat st;
    const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

bool IniTextAsBoolean(const std::string &text, bool defaultValue)
{
    if (SameName(text, "FALSE"))
        return false;
    if (SameName(text, "TRUE"))
        return true;
    // A number: leading blanks, a sign, digits, a decimal part, an exponent.
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const auto isDigit = [&text](std::size_t at) {
        return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
    };
    if (!isDigit(i))
        return defaultValue;
    bool nonZero = false;
    for (; isDigit(i); ++i)
        nonZero |= text[i] != '0';
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!isDigit(i))
            return defaultValue;
        for (; isDigit(i); ++i)
            nonZero |= text[i] != '0';
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!isDigit(i))
            return defaultValue;
        while (isDigit(i))
            ++i;
    }
    return i == text.size() ? nonZero : defaultValue;
}

int IniTextAsInteger(const std::string &text, int defaultValue)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i == text.size())
        return defaultValue;
    const char *start = text.c_str() + i;
    if (!(std::isdigit(static_cast<unsigned char>(*start))
          || ((*start == '-' || *start == '+') && std::isdigit(static_cast<unsigned char>(start[1])))))
        return defaultValue;
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(start, &end, 10);
    if (*end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

bool TStRegIni::Lookup(const std::string &key, std::string &value) const
{
    bool exists = false;
    const std::vector<std::string> lines = ReadLines(path_, exists);
    bool inSection = false;
    for (const std::string &line : lines) {
        std::string name, k, v;
        if (SectionName(line, name)) {
            inSection = SameName(name, section_);
        } else if (inSection && KeyValue(line, k, v) && SameName(k, key)) {
            value = v.substr(0, kMaxValueLength);
            return true;
        }
    }
    return false;
}

std::string TStRegIni::ReadString(const std::string &key, const std::string &defaultValue) const
{
    std::string value;
    if (!Lookup(key, value) || value.empty())
        return defaultValue;
    return value;
}

bool TStRegIni::ReadBoolean(const std::string &key, bool defaultValue) const
{
    std::string value;
    return Lookup(key, value) ? IniTextAsBoolean(value, defaultValue) : defaultValue;
}

int TStRegIni::ReadInteger(const std::string &key, int defaultValue) const
{
    std::string value;
    return Lookup(key, value) ? IniTextAsInteger(value, defaultValue) : defaultValue;
}

void TStRegIni::Store(const std::string &section, const std::string &key, const std::string *value)
{
    bool exists = false, unreadable = false;
    std::vector<std::string> lines = ReadLines(path_, exists, &unreadable);
    if (unreadable)
        throw EStRegIniError(kWriteFailed);
    std::string newLine;
    if (value) {
        // A line break in a value would make lines of its own: keep it one line.
        newLine = key + "=";
        for (char c : *value)
            newLine += (c == '\r' || c == '\n') ? ' ' : c;
    }

    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
            if (inSection)
                break; // the key is not in our section
            inSection = SameName(name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
        } else if (inSection) {
            if (KeyValue(lines[i], k, v) && SameName(k, key)) {
                if (value)
                    lines[i] = newLine;
                else
                    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
                if (!WriteLines(path_, lines))
                    throw EStRegIniError(kWriteFailed);
                return;
            }
            if (!Trim(lines[i]).empty())
                insertAt = i + 1; // after the section's last non-blank line
        }
    }
    if (!value && exists && sectionFound)
        return; // nothing to delete
    if (!sectionFound) {
        lines.push_back("[" + section + "]");
        insertAt = lines.size();
    }
    if (value)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
    if (!WriteLines(path_, lines))
        throw EStRegIniError(kWriteFailed);
}

void TStRegIni::CreateKey(const std::string &section)
{
    const std::string placeholder = "TStRegIniPlaceholder";
    Store(section, placeholder, &placeholder);
    Store(section, placeholder, nullptr);
}

void TStRegIni::WriteString(const std::string &key, const std::string &value)
{
    Store(section_, key, &value);
}

void TStRegIni::WriteBoolean(const std::string &key, bool value)
{
    WriteString(key, value ? "TRUE" : "FALSE");
}

void TStRegIni::WriteInteger(const std::string &key, int value)
{
    WriteString(key, std::to_string(value));
}

void TStRegIni::DeleteKey(const std::string &key)
{
    Store(section_, key, nullptr);
}

} // namespace tillscribe
