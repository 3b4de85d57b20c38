// The print-stream filter: byte streams in, captured bytes out, per rule set.
#include "TillscribeVivudivUnit.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace tillscribe;

namespace {

enum Model { ER600 = 0, ER650, SPS1000, ER52XX, ER52XXM, ER6500, ER7000, SPS2000 };

// What the terminal would show (and capture) for each command.
void Emit(const TEmuCommand &command, std::string &out)
{
    if (command.Kind == kEmuShowChar && command.Character != 0)
        out += static_cast<char>(command.Character);
    else if (command.Kind == kEmuShowText)
        out.append(reinterpret_cast<const char *>(command.Text.Chars), command.Text.Length);
}

std::string Filtered(TVivudivFilterState &state, int model, const std::string &in)
{
    std::string out;
    TEmuCommand command;
    for (unsigned char c : in) {
        command.Kind = kEmuNothing;
        FilterByte(state, model, c, command);
        Emit(command, out);
    }
    return out;
}

std::string Filtered(int model, const std::string &in)
{
    TVivudivFilterState state;
    return Filtered(state, model, in);
}

const std::string ESC = "\x1b";
const std::string LF = "\n";
const std::string CRLF = "\r\n";

struct Case {
    const char *name;
    int model;
    std::string in;
    std::string expected;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class FilterCases : public ::testing::TestWithParam<Case> {};

TEST_P(FilterCases, CapturesExpectedBytes)
{
    const Case &c = GetParam();
    EXPECT_EQ(Filtered(c.model, c.in), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EscapeSkip, FilterCases, ::testing::Values(
    Case{"EscapeRunHiddenWithItsI", ER600, "AB" + ESC + "xyziCD", "ABCD"},
    Case{"LineFeedInsideRunShownRunGoesOn", ER650, ESC + "x\nyiZ", CRLF + "Z"},
    Case{"RegisterCrLfBecomesCrCrLf", ER52XX, "A\r\nB", "A\r" + CRLF + "B"},
    Case{"MarkerDoublesNextLineEndOnly", ER52XXM, "No.\n\n", "No." + CRLF + CRLF + CRLF},
    Case{"MarkerBytesMustBeConsecutive", ER600, "No\n.\n", "No" + CRLF + "." + CRLF},
    Case{"MarkerInsideHiddenRunCounts", ER600, ESC + "No.i\n", CRLF + CRLF},
    Case{"SecondEscapeInsideRunStaysHidden", ER600, ESC + "a" + ESC + "bicd", "cd"},
    Case{"ControlBytesPassUnchanged", ER650, "\x07\x08\xff", "\x07\x08\xff"},
    Case{"ZeroShowsNothing", ER600, std::string("A\0B", 3), "AB"}
), test::CaseName<Case>);

INSTANTIATE_TEST_SUITE_P(LineEnd, FilterCases, ::testing::Values(
    Case{"DateLineDoubled", ER6500, "DATE\nX\n", "DATE" + CRLF + CRLF + "X" + CRLF},
    Case{"EscapeShownAsIs", ER6500, ESC + "i", ESC + "i"},
    Case{"ZeroShowsNothing", ER6500, std::string("\0", 1), ""}
), test::CaseName<Case>);

INSTANTIATE_TEST_SUITE_P(ByteMap, FilterCases, ::testing::Values(
    Case{"CountingWidensThirdSpace", SPS1000, ESC + "!!AB   ", "AB" "  " "   "},
    Case{"FourthSpaceShownSingly", ER7000, ESC + "!!AB    ", "AB" "  " "   " " "},
    Case{"WidenedRunCutToTenSpaces", SPS2000, ESC + "!!ABCDEFGHIJKL   ",
         "ABCDEFGHIJKL" "  " "          "},
    Case{"NoCountingNoWidening", SPS1000, "AB   ", "AB   "},
    Case{"EscapeBangStopsCountingButKeepsCount", SPS1000, ESC + "!!AB" + ESC + "!C   ",
         "ABC" "  " "   "},
    Case{"LineFeedEscBangOneGivesCrLf", SPS1000, "X" + LF + ESC + "!" + "\x01" + "Y", "X" + CRLF + "Y"},
    Case{"AtEscBangOneGivesCrLf", ER7000, "X@" + ESC + "!" + "\x01" + "Y", "X" + CRLF + "Y"},
    Case{"BangOneEscHidesDWithoutMarker", SPS2000, "!\x01" + ESC + "dd", "d"},
    Case{"TimeHidesDsUpToHiddenI", SPS1000, "TIMEdadid", "TIMEa" "d"},
    Case{"VanishingBytes", ER7000, "$@{\x02\x0b\x0f\x1c\x80\xaa\xad\xff" + LF + ESC, ""},
    Case{"BangAfterLetterShowsNothing", SPS1000, "A!B", "AB"},
    Case{"MappedCharacters", SPS2000, "\x08\x09\x15\xab\xac", "\xbe\xa9\xae\xbd\xbc"},
    Case{"ControlOneWithoutLeadShowsNothing", SPS1000, "A\x01" "B", "AB"},
    Case{"CarriageReturnShownAndCounted", SPS1000, ESC + "!!\r  " " ", "\r" "  " "  "},
    Case{"ZeroShowsNothing", SPS1000, std::string("\0", 1), ""}
), test::CaseName<Case>);
// clang-format on

TEST(Filter, MarkerStaysSetThroughBangOneEscD)
{
    TVivudivFilterState state;
    Filtered(state, SPS1000, "IME");
    EXPECT_EQ(Filtered(state, SPS1000, "!\x01" + ESC + "d"), "");
    EXPECT_TRUE(state.MarkerSeen);
}

TEST(Filter, NoModelShowsNothingAndKeepsRecentBytes)
{
    TVivudivFilterState state;
    Filtered(state, ER600, "No");
    for (int model : {-1, 8, 1000}) {
        TEmuCommand command;
        FilterByte(state, model, 'x', command);
        EXPECT_EQ(command.Kind, kEmuNothing) << model;
    }
    // "x" never entered the recent bytes, so "No" + "." still makes the marker.
    EXPECT_EQ(Filtered(state, ER600, ".\n"), "." + CRLF + CRLF);
}

TEST(Filter, SwitchingModelMidLineKeepsState)
{
    const std::string stream = "TIME d" + ESC + "xi\n";
    EXPECT_NE(Filtered(ER600, stream), Filtered(SPS1000, stream));

    TVivudivFilterState state;
    Filtered(state, ER7000, ESC + "!!AB");
    // Under escape-skip rules the count stands still; back under byte-map the
    // run is widened by the count made before the switch.
    EXPECT_EQ(Filtered(state, ER650, "C"), "C");
    EXPECT_EQ(Filtered(state, SPS2000, "   "), "  " "   ");
}

TEST(Filter, EveryByteUnderEveryModelGivesADefinedCommand)
{
    for (int model = 0; model < kRegisterModelCount; ++model) {
        for (int c = 0; c < 256; ++c) {
            TVivudivFilterState state;
            state.CountActive = true;
            state.CharCount = 20;
            TEmuCommand command;
            // Make every preceding context interesting: after two spaces.
            Filtered(state, model, "  ");
            FilterByte(state, model, static_cast<std::uint8_t>(c), command);
            ASSERT_TRUE(command.Kind == kEmuShowChar || command.Kind == kEmuShowText)
                << "model " << model << " byte " << c;
            if (command.Kind == kEmuShowText) {
                ASSERT_GE(command.Text.Length, 1);
                ASSERT_LE(command.Text.Length, TEmuCommand::kTextCapacity);
                for (int i = 0; i < command.Text.Length; ++i)
                    ASSERT_NE(command.Text.Chars[i], 0);
            }
            if (c == 0) {
                EXPECT_TRUE(command.Kind == kEmuShowChar && command.Character == 0);
            }
        }
    }
}

TEST(Filter, CountDoesNotOverflow)
{
    TVivudivFilterState state;
    state.CountActive = true;
    state.CharCount = INT32_MAX;
    EXPECT_EQ(Filtered(state, SPS1000, "A   "), "A  " "          ");
    EXPECT_EQ(state.CharCount, 0);
}

TEST(Filter, HookReadsModelFromSourceForEveryByte)
{
    int model = -1;
    SetRegisterModelSource([&model] { return model; });
    TEmuCommand command;
    FilterRegisterChar(nullptr, 'A', command);
    EXPECT_EQ(command.Kind, kEmuNothing);
    model = ER6500;
    FilterRegisterChar(nullptr, 'A', command);
    EXPECT_EQ(command.Kind, kEmuShowChar);
    EXPECT_EQ(command.Character, 'A');
    SetRegisterModelSource(nullptr);
}

TEST(Filter, ModelFromText)
{
    EXPECT_EQ(RegisterModelFromText("ER-650"), 1);
    EXPECT_EQ(RegisterModelFromText("SPS-2000"), 7);
    EXPECT_EQ(RegisterModelFromText("0"), 0);
    EXPECT_EQ(RegisterModelFromText("7"), 7);
    for (const char *bad : {"8", "-1", "er-650", "", "ER-650 "})
        EXPECT_EQ(RegisterModelFromText(bad), -1) << bad;
}

} // namespace

namespace {

TEST(Filter, BlockPathAgreesWithBytePath)
{
    // Every byte value in many contexts, cut into uneven blocks.
    std::string stream;
    std::uint32_t seed = 12345;
    const std::string pieces[] = {"\x1b!!", "No.\n", "DATE", "TIME", "   ", "!\x01\x1b" "d",
                                  "\n\x1b!\x01", "@\x1b!", "abc i d"};
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245 + 12345;
        if (seed % 3 == 0)
            stream += pieces[(seed >> 8) % std::size(pieces)];
        else
            stream += static_cast<char>(seed >> 16);
    }
    for (int model = 0; model < kRegisterModelCount; ++model) {
        TVivudivFilterState byByte, byBlock;
        const std::string expected = Filtered(byByte, model, stream);
        std::string got;
        std::vector<std::uint8_t> out(stream.size() * TEmuCommand::kTextCapacity);
        for (size_t at = 0, len = 1; at < stream.size(); at += len, len = len * 7 % 997 + 1) {
            len = std::min(len, stream.size() - at);
            const size_t n = FilterBlock(byBlock, model,
                                         reinterpret_cast<const std::uint8_t *>(stream.data()) + at,
                                         len, out.data());
            got.append(reinterpret_cast<const char *>(out.data()), n);
        }
        EXPECT_EQ(got, expected) << "model " << model;
        EXPECT_EQ(std::memcmp(byBlock.RecentBytes, byByte.RecentBytes, 4), 0);
        EXPECT_EQ(byBlock.MarkerSeen, byByte.MarkerSeen);
        EXPECT_EQ(byBlock.EscapeOpen, byByte.EscapeOpen);
        EXPECT_EQ(byBlock.CountActive, byByte.CountActive);
        EXPECT_EQ(byBlock.CharCount, byByte.CharCount);
    }
}

} // namespace
