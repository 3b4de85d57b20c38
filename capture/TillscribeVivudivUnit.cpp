#include "TillscribeVivudivUnit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace tillscribe {
namespace {

constexpr std::uint8_t LF = 10, CR = 13, ESC = 27;

enum class Rules { EscapeSkip, LineEnd, ByteMap };

constexpr Rules kRulesOfModel[kRegisterModelCount] = {
    Rules::EscapeSkip, Rules::EscapeSkip, Rules::ByteMap, Rules::EscapeSkip,
    Rules::EscapeSkip, Rules::LineEnd, Rules::ByteMap, Rules::ByteMap,
};

// What the byte-map rules do with each byte value.
enum class MapAction : std::uint8_t {
    Vanish,      // nothing
    ShowCounted, // show unchanged, counted
    Replace,     // show another character, not counted
    Control1,    // line feed after LF/"@", ESC, "!"
    Space,       // the space-run rule
    Exclamation, // the exclamation rule
    LetterD,     // hidden while a marker is set
    LetterI,     // hidden while a marker is set, and clears it
};

struct MapEntry {
    MapAction action = MapAction::Vanish;
    std::uint8_t shown = 0;
};

constexpr std::array<MapEntry, 256> MakeByteMap()
{
    std::array<MapEntry, 256> map{};
    auto counted = [&map](int first, int last) {
        for (int c = first; c <= last; ++c)
            map[c] = {MapAction::ShowCounted, static_cast<std::uint8_t>(c)};
    };
    counted(34, 35);
    counted(37, 63);
    counted(65, 99);
    counted(101, 104);
    counted(106, 122);
    counted(124, 127);
    map[CR] = {MapAction::ShowCounted, CR};
    map[1] = {MapAction::Control1, 0};
    map[8] = {MapAction::Replace, 190};   // backspace: three quarters
    map[9] = {MapAction::Replace, 169};   // tab: copyright sign
    map[21] = {MapAction::Replace, 174};  // registered sign
    map[171] = {MapAction::Replace, 189}; // one half
    map[172] = {MapAction::Replace, 188}; // one quarter
    map[' '] = {MapAction::Space, 0};
    map['!'] = {MapAction::Exclamation, 0};
    map['d'] = {MapAction::LetterD, 0};
    map['i'] = {MapAction::LetterI, 0};
    return map;
}

constexpr std::array<MapEntry, 256> kByteMap = MakeByteMap();

inline void Show(TEmuCommand &command, std::uint8_t c)
{
    command.Kind = kEmuShowChar;
    command.Character = c;
}

inline void ShowNothing(TEmuCommand &command)
{
    Show(command, 0);
}

inline void ShowText(TEmuCommand &command, const std::uint8_t *text, int length)
{
    command.Kind = kEmuShowText;
    command.Text.Length = static_cast<std::uint8_t>(length);
    std::memcpy(command.Text.Chars, text, length);
}

// A register's line feed: CR LF, doubled once after a marked header line.
inline void ShowLineEnd(TVivudivFilterState &state, TEmuCommand &command)
{
    static constexpr std::uint8_t kDoubled[] = {CR, LF, CR, LF};
    ShowText(command, kDoubled, state.MarkerSeen ? 4 : 2);
    state.MarkerSeen = false;
}

inline bool Recent3(const std::uint8_t *r, std::uint8_t p2, std::uint8_t p1, std::uint8_t c)
{
    return r[1] == p2 && r[2] == p1 && r[3] == c;
}

void EscapeSkipRules(TVivudivFilterState &s, std::uint8_t c, TEmuCommand &command)
{
    Show(command, c);
    if (Recent3(s.RecentBytes, 'N', 'o', '.'))
        s.MarkerSeen = true;
    if (s.EscapeOpen)
        ShowNothing(command);
    if (c == ESC) {
        ShowNothing(command);
        s.EscapeOpen = true;
    } else if (c == 'i' && s.EscapeOpen) {
        ShowNothing(command);
        s.EscapeOpen = false;
    } else if (c == LF) {
        ShowLineEnd(s, command);
    }
}

void LineEndRules(TVivudivFilterState &s, std::uint8_t c, TEmuCommand &command)
{
    Show(command, c);
    if (Recent3(s.RecentBytes, 'D', 'A', 'T'))
        s.MarkerSeen = true;
    if (c == LF)
        ShowLineEnd(s, command);
}

inline void CountOne(TVivudivFilterState &s)
{
    if (s.CountActive && s.CharCount < std::numeric_limits<std::int32_t>::max())
        ++s.CharCount;
}

void SpaceRun(TVivudivFilterState &s, TEmuCommand &command)
{
    const std::uint8_t p2 = s.RecentBytes[1], p1 = s.RecentBytes[2];
    if (p1 == ' ' && p2 == ' ' && s.CharCount > 0) {
        static constexpr std::uint8_t kSpaces[TEmuCommand::kTextCapacity] = {
            ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
        const std::int64_t wanted = std::int64_t{s.CharCount} + 1;
        ShowText(command, kSpaces,
                 static_cast<int>(std::min<std::int64_t>(wanted, TEmuCommand::kTextCapacity)));
        s.CharCount = 0;
    } else {
        Show(command, ' ');
    }
}

void Exclamation(TVivudivFilterState &s, TEmuCommand &command)
{
    const std::uint8_t p2 = s.RecentBytes[1], p1 = s.RecentBytes[2];
    if (p1 == ESC && (p2 == LF || p2 == '@')) {
        Show(command, CR);
        return;
    }
    ShowNothing(command);
    if (p1 == ESC)
        s.CountActive = false;
    else if (p1 == '!')
        s.CountActive = true;
}

void ByteMapRules(TVivudivFilterState &s, std::uint8_t c, TEmuCommand &command)
{
    const std::uint8_t *r = s.RecentBytes;
    if (r[0] == '!' && r[1] == 1 && r[2] == ESC && (c == 'd' || c == 'i')) {
        ShowNothing(command);
        return;
    }
    if (r[0] == 7 && r[1] == ESC && r[2] == '!' && c == 1) {
        ShowNothing(command);
        return;
    }
    if (Recent3(r, 'I', 'M', 'E'))
        s.MarkerSeen = true;

    const MapEntry entry = kByteMap[c];
    switch (entry.action) {
    case MapAction::Vanish:
        ShowNothing(command);
        break;
    case MapAction::ShowCounted:
        Show(command, entry.shown);
        CountOne(s);
        break;
    case MapAction::Replace:
        Show(command, entry.shown);
        break;
    case MapAction::Control1:
        if (r[0] == LF || r[0] == '@')
            Show(command, LF);
        else
            ShowNothing(command);
        break;
    case MapAction::Space:
        SpaceRun(s, command);
        break;
    case MapAction::Exclamation:
        Exclamation(s, command);
        break;
    case MapAction::LetterD:
        if (s.MarkerSeen)
            ShowNothing(command);
        else
            Show(command, 'd');
        break;
    case MapAction::LetterI:
        if (s.MarkerSeen) {
            ShowNothing(command);
            s.MarkerSeen = false;
        } else {
            Show(command, 'i');
        }
        break;
    }
}

inline void ShiftIn(TVivudivFilterState &state, std::uint8_t c)
{
    std::uint8_t *r = state.RecentBytes;
    r[0] = r[1];
    r[1] = r[2];
    r[2] = r[3];
    r[3] = c;
}

template <void (*ApplyRules)(TVivudivFilterState &, std::uint8_t, TEmuCommand &)>
std::size_t FilterBlockWith(TVivudivFilterState &shared, const std::uint8_t *in, std::size_t size,
                            std::uint8_t *out)
{
    // A local copy lets the state live in registers: stores through out
    // could otherwise alias it.
    TVivudivFilterState state = shared;
    std::uint8_t *const start = out;
    for (std::size_t i = 0; i < size; ++i) {
        TEmuCommand command;
        ShiftIn(state, in[i]);
        ApplyRules(state, in[i], command);
        if (command.Kind == kEmuShowChar) {
            *out = command.Character;
            out += command.Character != 0;
        } else if (command.Kind == kEmuShowText) {
            std::memcpy(out, command.Text.Chars, command.Text.Length);
            out += command.Text.Length;
        }
    }
    shared = state;
    return static_cast<std::size_t>(out - start);
}

TVivudivFilterState gFilterState;
RegisterModelSource gModelSource;

} // namespace

void FilterByte(TVivudivFilterState &state, int model, std::uint8_t c, TEmuCommand &command)
{
    if (static_cast<unsigned>(model) >= kRegisterModelCount)
        return;
    ShiftIn(state, c);
    switch (kRulesOfModel[model]) {
    case Rules::EscapeSkip:
        EscapeSkipRules(state, c, command);
        break;
    case Rules::LineEnd:
        LineEndRules(state, c, command);
        break;
    case Rules::ByteMap:
        ByteMapRules(state, c, command);
        break;
    }
}

std::size_t FilterBlock(TVivudivFilterState &state, int model, const std::uint8_t *in,
                        std::size_t size, std::uint8_t *out)
{
    if (static_cast<unsigned>(model) >= kRegisterModelCount)
        return 0;
    switch (kRulesOfModel[model]) {
    case Rules::EscapeSkip:
        return FilterBlockWith<EscapeSkipRules>(state, in, size, out);
    case Rules::LineEnd:
        return FilterBlockWith<LineEndRules>(state, in, size, out);
    case Rules::ByteMap:
        return FilterBlockWith<ByteMapRules>(state, in, size, out);
    }
    return 0;
}

void SetRegisterModelSource(RegisterModelSource source)
{
    gModelSource = std::move(source);
}

void FilterRegisterChar(void * /*CP*/, std::uint8_t C, TEmuCommand &Command)
{
    FilterByte(gFilterState, gModelSource ? gModelSource() : -1, C, Command);
}

TVivudivFilterState &VivudivFilterState()
{
    return gFilterState;
}

int RegisterModelFromText(std::string_view text)
{
    for (int i = 0; i < kRegisterModelCount; ++i)
        if (kRegisterModelNames[i] == text)
            return i;
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kRegisterModelCount)
        return text[0] - '0';
    return -1;
}

} // namespace tillscribe
