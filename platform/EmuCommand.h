// The terminal's display command: what to show for one received byte.
//
// The terminal owns exactly one TEmuCommand for its whole life. For every
// received byte it hands the record by reference to its per-byte hook (the
// print-stream filter), then carries out whatever the record holds:
//   Kind 0   nothing;
//   Kind 1   show Character, unless it is 0 (then nothing at all);
//   Kind 20  show each character of Text, in order.
#pragma once

#include <cstdint>

namespace tillscribe {

enum : std::uint8_t {
    kEmuNothing = 0,
    kEmuShowChar = 1,
    kEmuShowText = 20,
};

struct TEmuCommand {
    static constexpr int kTextCapacity = 10;

    std::uint8_t Character = 0;
    std::uint8_t Kind = kEmuNothing;
    // Cursor column, cursor row, foreground, background, attributes and
    // emulation type: used by emulations this system does not have.
    std::uint8_t Params[6] = {};
    struct {
        std::uint8_t Length = 0;
        std::uint8_t Chars[kTextCapacity] = {};
    } Text;
};

} // namespace tillscribe
