// Enter presses into the host and closing it.
#include <gtest/gtest.h>

#include "services/host/qvrHost.h"
#include "tests/host/HostFixture.h"

namespace {

using vmtest::HostTest;

class HostKeysTest : public HostTest {};

TEST_F(HostKeysTest, PressEnterIsOneKeyDownAndOneKeyUpWhileTheHostIsInFront) {
    StartHost();
    Memory::GetHostProcess();
    qvrMod::PressEnter();
    ASSERT_EQ(os.desktop.keys.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& k = os.desktop.keys[i];
        EXPECT_EQ(k.virtualKey, 0x0D);
        EXPECT_EQ(k.scanCode, 0);
        EXPECT_EQ(k.flags, i == 0 ? 0u : 2u);  // down, then up
        EXPECT_EQ(k.extraInfo, 0u);
        EXPECT_EQ(k.foreground, hostWindow);
    }
    EXPECT_EQ(qvrMod::GetMenuIndex(), 2);  // the host took it

    qvrMod::PressEnterDown();
    ASSERT_EQ(os.desktop.keys.size(), 3u);
    EXPECT_EQ(os.desktop.keys[2].flags, 0u);
    EXPECT_EQ(qvrMod::GetMenuIndex(), 11);
}

TEST_F(HostKeysTest, NoKeyGoesToAnotherWindowInFront) {
    StartHost();
    Memory::GetHostProcess();
    OtherWindowInFront();
    qvrMod::PressEnter();
    qvrMod::PressEnterDown();
    EndHost();
    Memory::GetHostProcess();
    os.desktop.foreground = 0;
    qvrMod::PressEnter();  // no host and nothing in front
    EXPECT_TRUE(os.desktop.keys.empty());
}

TEST_F(HostKeysTest, PressesBetweenWaitsFollowTheForeground) {
    StartHost();
    Memory::GetHostProcess();
    // The driver brings another window to the front during the second wait.
    os.desktop.onPump = [&] {
        if (os.desktop.pumps == 2) OtherWindowInFront();
    };
    for (int i = 0; i < 3; ++i) {
        Memory::Wait(100);
        qvrMod::PressEnter();
    }
    EXPECT_EQ(os.desktop.keys.size(), 2u);
    EXPECT_EQ(sim->MenuIndex(), 2);
}

TEST_F(HostKeysTest, CloseHostSendsWmCloseAloneAndCannotHangOnTheHost) {
    StartHost();
    Memory::GetHostProcess();
    os.desktop.onMessage = [](const platform::NativeDesktop::Message&) { return false; };  // a hung host
    qvrMod::CloseHost();
    ASSERT_EQ(os.desktop.messages.size(), 1u);
    const auto& m = os.desktop.messages[0];
    EXPECT_EQ(m.window, hostWindow);
    EXPECT_EQ(m.message, 0x10u);
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_TRUE(m.sent);
    EXPECT_LE(m.timeoutMs, 1000u);
    EXPECT_TRUE(os.desktop.keys.empty());

    EndHost();
    qvrMod::CloseHost();  // the stored window is gone: the send fails and reaches no hook
    Memory::GetHostProcess();
    qvrMod::CloseHost();  // no host window: nothing is sent
    EXPECT_EQ(os.desktop.messages.size(), 1u);
}

}  // namespace
