#include "test_support.h"

#include "platform/linux/linux_system.h"

namespace vonalor::test {
namespace {

TEST(PppRasTest, PeersAreTheEntriesAndSerialModemsTheDevices) {
    TempHome root;
    std::filesystem::create_directories(root / "peers");
    std::filesystem::create_directories(root / "dev");
    for (const char* name : {"provider", "otthon", ".hidden", "otthon~", "régi.bak"})
        writeFile(root / "peers" / name, "");
    std::filesystem::create_directories(root / "peers" / "chatscripts");
    for (const char* name : {"ttyUSB0", "ttyACM1", "ttyS0", "null"})
        writeFile(root / "dev" / name, "");
    PppRas ras(root / "peers", root / "dev");
    EXPECT_EQ(ras.entries(), (std::vector<std::string>{"otthon", "provider"}));
    EXPECT_EQ(ras.devices(), (std::vector<RasDevice>{{(root / "dev" / "ttyACM1").string(), "modem"},
                                                     {(root / "dev" / "ttyUSB0").string(), "modem"}}));
    EXPECT_TRUE(PppRas(root / "nincs").entries().empty());
}

TEST(XdgAutostartTest, TheEntryStartsTheProgramOnItsDataHomeAndGoesAway) {
    TempHome config;
    XdgAutostart autostart(config.path(), "/opt/vonalor bin", "/home/user/.local/share/vonalor");
    EXPECT_EQ(autostart.entry(), std::nullopt);
    ASSERT_TRUE(autostart.add());
    const std::string file = readFile(config / "autostart/vonalor.desktop");
    EXPECT_NE(file.find("[Desktop Entry]\nType=Application\nName=Vonalor\n"), std::string::npos);
    EXPECT_EQ(autostart.entry(), "\"/opt/vonalor bin/vonalor\" --home \"/home/user/.local/share/vonalor\"");
    EXPECT_TRUE(autostart.remove());
    EXPECT_EQ(autostart.entry(), std::nullopt);
    EXPECT_FALSE(autostart.remove());
}

TEST(LinuxSystemInfoTest, UptimeIsRead) {
    EXPECT_GT(LinuxSystemInfo().uptimeSeconds(), 0);
}

} // namespace
} // namespace vonalor::test
