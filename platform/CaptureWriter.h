// The terminal's capture to a file.
//
//   CaptureWriter capture;
//   capture.SetCaptureFile("/path/12_9_2025_1.txt");   // cut to 255 characters
//   capture.SetCapture(cmOn);       // create or empty the file (cmAppend: add to it)
//   capture.Append(c);              // every shown character, while capturing
//   capture.SetCapture(cmOff);      // write the buffer out and close
//
// Shown characters gather in an 8192-byte buffer that is written whenever it
// is full. Setting the mode it already has does nothing; renaming while on
// switches off, renames and switches on again in the same mode. The file is
// opened for reading and writing and lets others read and write it too.
//
// Opening failures throw CaptureError with the cause's text ("Path not found",
// "File access denied", ...); the mode then already holds the requested value
// although nothing is captured. A failed write closes the file and turns
// capture off without a word, but the bytes not yet on disk are kept and
// written first, before anything newer, the next time capture is switched on,
// whichever file that is; so the stream reaches disk whole and in order.
#pragma once

#include "UniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tillscribe {

enum TCaptureMode { cmOff, cmOn, cmAppend };

class CaptureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CaptureWriter {
public:
    static constexpr std::size_t kBufferSize = 8192;
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr const char *kNameWhenEmpty = "CAPTURE.CAP";

    CaptureWriter() = default;
    CaptureWriter(const CaptureWriter &) = delete;
    CaptureWriter &operator=(const CaptureWriter &) = delete;
    ~CaptureWriter();

    TCaptureMode Capture() const { return mode_; }
    void SetCapture(TCaptureMode mode);

    const std::string &CaptureFile() const { return name_; }
    void SetCaptureFile(const std::string &name);

    // True while a file is open and shown characters go to it.
    bool IsCapturing() const { return static_cast<bool>(file_); }

    void Append(std::uint8_t c)
    {
        if (!file_)
            return;
        buffer_[used_++] = c;
        if (used_ == kBufferSize)
            WriteBuffer();
    }

    // Bytes shown but not yet on disk (buffered, or kept after a failed write).
    std::size_t Pending() const { return used_; }

private:
    void Open(TCaptureMode mode);
    void Close();
    bool WriteBuffer();

    TCaptureMode mode_ = cmOff;
    std::string name_;
    UniqueFd file_;
    std::uint8_t buffer_[kBufferSize];
    std::size_t used_ = 0;
};

// Cuts a name to at most max characters (UTF-8 sequences are kept whole).
std::string CutToCharacters(const std::string &name, std::size_t max);

} // namespace tillscribe
