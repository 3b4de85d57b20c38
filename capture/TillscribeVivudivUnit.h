// The register print-stream filter.
//
// For every byte that the terminal receives, FilterRegisterChar answers with
// a display command: what to show and capture for it. The rules depend on the
// register model chosen in the main window, read afresh for every byte:
//   escape-skip rules  ER-600, ER-650, ER-52XX, ER-52XXM
//   line-end rules     ER-6500
//   byte-map rules     SPS-1000, ER-7000, SPS-2000
// With no model (any index outside 0-7) the filter sets nothing at all.
//
// The filter's state lives once per process and is never reset: a marker, an
// open escape run or a count carries over between connections, files and
// model changes.
#pragma once

#include "EmuCommand.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace tillscribe {

constexpr int kRegisterModelCount = 8;
// Index of each name is the register model; -1 means no model selected.
constexpr std::string_view kRegisterModelNames[kRegisterModelCount] = {
    "ER-600", "ER-650", "SPS-1000", "ER-52XX", "ER-52XXM", "ER-6500", "ER-7000", "SPS-2000",
};

struct TVivudivFilterState {
    std::uint8_t RecentBytes[4] = {}; // oldest first; [3] is the byte being filtered
    bool MarkerSeen = false;          // "No.", "DAT" or "IME" seen, by rule set
    bool EscapeOpen = false;          // escape-skip: a hidden run awaits its "i"
    bool CountActive = false;         // byte-map: printable characters are counted
    std::int32_t CharCount = 0;       // byte-map: counted since the last widened run
};

// One step of the filter on explicit state: the heart of FilterRegisterChar,
// also used where a fixed model runs over a whole stream.
void FilterByte(TVivudivFilterState &state, int model, std::uint8_t c, TEmuCommand &command);

// The filter over a block of bytes under one model, as the terminal would
// show them: writes what is shown to out (room for size * 10 bytes) and
// returns how many bytes that is. Same result as FilterByte byte by byte.
std::size_t FilterBlock(TVivudivFilterState &state, int model, const std::uint8_t *in,
                        std::size_t size, std::uint8_t *out);

// Where the filter reads the register model (the main window's selector).
using RegisterModelSource = std::function<int()>;
void SetRegisterModelSource(RegisterModelSource source);

// The terminal emulator's per-character hook. CP (the emulator) is unused.
void FilterRegisterChar(void *CP, std::uint8_t C, TEmuCommand &Command);

// The process-wide filter state that FilterRegisterChar works on.
TVivudivFilterState &VivudivFilterState();

// "ER-650" or "1" to 1; -1 for anything else.
int RegisterModelFromText(std::string_view text);

} // namespace tillscribe
