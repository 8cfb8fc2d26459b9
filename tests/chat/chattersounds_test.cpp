#include "chat/chattersounds.h"

#include <gtest/gtest.h>

namespace {

TEST(ChatterSounds, OnlyASeatedLoggedInPlayerSends) {
    struct Case {
        int k;
        bool loggedin;
        int myslot;
        std::optional<std::string> sent;
    };
    const Case cases[] = {
        {13, true, 2, "CMD_playasound+2+wave13+"},
        {1, true, 6, "CMD_playasound+6+wave1+"},
        {20, true, 1, "CMD_playasound+1+wave20+"},
        {0, true, 2, std::nullopt},  // <Cancel>
        {21, true, 2, std::nullopt}, // no such item
        {5, true, 7, std::nullopt},  // spectator
        {5, true, 9, std::nullopt},
        {5, false, 3, std::nullopt}, // not logged in yet
        {5, true, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::chatterSoundRequest(c.k, c.loggedin, c.myslot), c.sent)
            << c.k << " " << c.loggedin << " " << c.myslot;
}

TEST(ChatterSounds, ReceivedPayloadAndTheLineShownInstead) {
    const auto p = core::parsePlayASound("2+wave13+");
    EXPECT_EQ(p.slotText, "2");
    EXPECT_EQ(p.soundName, "wave13");
    EXPECT_EQ(core::parsePlayASound("4+WAVE5").soundName, "WAVE5");
    EXPECT_EQ(core::parsePlayASound("").slotText, "");

    EXPECT_EQ(core::chatterSoundLine("2", "Ann", "wave13"), "2+Ann: <Chatter Sound> Applause");
    EXPECT_EQ(core::chatterSoundLine("3", "Bob", "Wave5"),
              "3+Bob: <Chatter Sound> Where have you been?");
    EXPECT_EQ(core::chatterSoundLine("2", "Ann", "wave21"), std::nullopt);
    EXPECT_EQ(core::chatterSoundLine("2", "Ann", "dice"), std::nullopt);

    EXPECT_EQ(core::seatOfSlotText("6"), 6);
    for (const char* notASeat : {"0", "7", "9", "02", "", "x", "1 "})
        EXPECT_EQ(core::seatOfSlotText(notASeat), std::nullopt) << notASeat;
}

} // namespace
