// What a connection reads from the port button's caption.
#include "DeviceNames.h"

#include <gtest/gtest.h>

using namespace tillscribe;

TEST(DeviceNames, RoadAndColourTestsDiffer)
{
    EXPECT_TRUE(IsDirectRoad("Direct to COM7"));
    EXPECT_TRUE(IsDirectRoad("DIRECTLY"));
    EXPECT_FALSE(IsDirectRoad("Modem direct"));
    EXPECT_TRUE(HasDirectColour("Modem direct"));
    EXPECT_FALSE(HasDirectColour("Office modem"));
}

TEST(DeviceNames, PortNumberFromFourteenthCharacter)
{
    EXPECT_EQ(PortNumberFromCaption("Direct to COM9"), 9);
    EXPECT_EQ(PortNumberFromCaption("Direct to COM12"), 12);
    EXPECT_EQ(PortNumberFromCaption("Direct to COM50"), 50);
    // Longer than 15: only the 14th character counts.
    EXPECT_EQ(PortNumberFromCaption("Direct to COM123"), 1);
    for (const char *bad : {"Direct to COM", "Direct to COMx", "DIRECT", "Direct to COM1x"}) {
        EXPECT_THROW(PortNumberFromCaption(bad), EConvertError) << bad;
    }
}
