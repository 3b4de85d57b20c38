// An INI file read and written with the Windows profile-string rules.
//
//   TStRegIni ini("/path/YXOD172.UJJ");
//   ini.SetCurSubKey("Maintain");
//   ini.WriteString("CommPort", "Direct to COM7");   // in the file at once
//   std::string port = ini.ReadString("CommPort", "");
//   bool on = ini.ReadBoolean("AutoConnect", false);
//   int model = ini.ReadInteger("Register", 0);
//
// Section and key names match without regard to case. A write replaces the
// key's line where it stands, or adds the key at the end of its section
// (the section at the end of the file); every other line, comments and
// unknown keys included, stays as it was. Values read back are cut to 1023
// characters. Files with CR LF or LF line ends are read; every write leaves
// the whole file with CR LF line ends, as Windows programs sharing it expect.
// A write that cannot reach the file throws EStRegIniError.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tillscribe {

class EStRegIniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TStRegIni {
public:
    static constexpr std::size_t kMaxValueLength = 1023;

    explicit TStRegIni(std::string path) : path_(std::move(path)) {}

    const std::string &FileName() const { return path_; }
    const std::string &CurSubKey() const { return section_; }
    void SetCurSubKey(const std::string &section) { section_ = section; }

    // Writes a placeholder key into the section and deletes it again: creates
    // the file and the section when missing, changes no value.
    void CreateKey(const std::string &section);

    std::string ReadString(const std::string &key, const std::string &defaultValue) const;
    bool ReadBoolean(const std::string &key, bool defaultValue) const;
    int ReadInteger(const std::string &key, int defaultValue) const;

    void WriteString(const std::string &key, const std::string &value);
    void WriteBoolean(const std::string &key, bool value);
    void WriteInteger(const std::string &key, int value);
    void DeleteKey(const std::string &key);

private:
    // The value's text, or nothing when the key is missing.
    bool Lookup(const std::string &key, std::string &value) const;
    void Store(const std::string &section, const std::string &key, const std::string *value);

    std::string path_;
    std::string section_;
};

// The reading rules, on their own.
bool IniTextAsBoolean(const std::string &text, bool defaultValue);
int IniTextAsInteger(const std::string &text, int defaultValue);

} // namespace tillscribe
