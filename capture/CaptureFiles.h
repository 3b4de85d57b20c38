// Capture file rules: the names of new capture files and the tests that
// File > Open and the timer's size check make.
#pragma once

#include <cstdint>
#include <string>

namespace tillscribe {

class Terminal;

// A capture file larger than this is refused by File > Open and rolled over
// at the next timer tick.
constexpr std::int64_t kCaptureFileSizeLimit = 700000;

// folder (ending in "/") + short date with "/" made "_" + "_" + N + ".txt",
// for the first N from 1 under which nothing exists; gaps are reused.
std::string NextCaptureFileName(const std::string &folder, const std::string &shortDate);

// Switches the terminal's capture to a new, empty file under the next free
// name (the previous file written out and closed); returns the name.
std::string StartNewCaptureFile(Terminal &terminal, const std::string &folder,
                                const std::string &shortDate);

// Capture off, then on in append mode: the buffer reaches the file and the
// file is reopened at its end (or, after a disconnect, capture resumes).
void ReopenCaptureAppending(Terminal &terminal);

bool FileExists(const std::string &name);

// The file exists and holds more than kCaptureFileSizeLimit bytes.
bool IsOverSizeLimit(const std::string &name);

// An open for reading that lets others only read fails: another open holds
// the file for writing or denies reading, or it cannot be read as a file.
bool IsInUse(const std::string &name);

// A name whose file does not exist gets ".txt" unless it already ends in
// ".txt" in any letter case; the name of an existing file stays as it is.
std::string WithTxtExtension(const std::string &name);

} // namespace tillscribe
