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

TEST(PppRasTest, ConnectionsAreThePppInterfacesNamedByTheirPeersPidFile) {
    TempHome root;
    for (const char* dir : {"peers", "dev", "net/ppp0/statistics", "net/eth0", "run"})
        std::filesystem::create_directories(root / dir);
    writeFile(root / "net/ppp0/ifindex", "7\n");
    writeFile(root / "net/ppp0/operstate", "unknown\n");
    writeFile(root / "net/ppp0/flags", "0x10d1\n");
    writeFile(root / "net/ppp0/statistics/tx_bytes", "1000\n");
    writeFile(root / "net/ppp0/statistics/rx_bytes", "5000\n");
    writeFile(root / "net/eth0/ifindex", "2\n");
    writeFile(root / "run/ppp-otthon.pid", "4242\nppp0\n");
    PppRas ras(root / "peers", root / "dev", root / "net", root / "run");
    const auto connections = ras.activeConnections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(connections[0].handle, 7u);
    EXPECT_EQ(connections[0].entryName, "otthon");
    EXPECT_EQ(ras.connectStatus(7), rasstate::Connected);
    EXPECT_EQ(ras.connectStatus(99), rasstate::CallFailed);
    ras.resetStatistics(7);
    writeFile(root / "net/ppp0/statistics/rx_bytes", "5600\n");
    const RasStatistics stats = ras.statistics(7);
    EXPECT_EQ(stats.bytesReceived, 600u);
    EXPECT_EQ(stats.bytesSent, 0u);
    writeFile(root / "net/ppp0/flags", "0x1090\n"); // not up yet: still negotiating
    EXPECT_LT(ras.connectStatus(7), rasstate::Connected);
    // The kernel's reports arrive on a descriptor; reading none is no change and no wait.
    if (ras.reportsChanges()) {
        int changes = 0;
        ras.setChangeListener([&] { ++changes; });
        ras.processChanges();
        EXPECT_EQ(changes, 0);
    }
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
