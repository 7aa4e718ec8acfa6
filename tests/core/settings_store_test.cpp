#include "settings/colour.h"
#include "test_support.h"

namespace vonalor::test {
namespace {

using SettingsStoreTest = CoreFixture;

TEST_F(SettingsStoreTest, AbsentKeyReadsEmptyWithoutReportAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(store.ReadSetting("ElsoInditas"), "");
    EXPECT_TRUE(log.entries().empty());
    EXPECT_FALSE(store.programKeyExists());
    store.WriteSetting("ElsoInditas", "1");
    EXPECT_TRUE(store.programKeyExists());
    EXPECT_EQ(store.ReadSetting("ElsoInditas"), "1");
}

TEST_F(SettingsStoreTest, MissingValueIsReportedOncePerReadExceptQuietly) {
    store.WriteSetting("Valami", "1");
    EXPECT_EQ(store.ReadSetting("Hianyzo"), "");
    EXPECT_EQ(store.ReadSetting("Hianyzo"), "");
    EXPECT_EQ(store.ReadSettingQuiet("Hianyzo"), "");
    const std::vector<std::string> expected = {"Registry olvasási hiba(S: Hianyzo)!",
                                               "Registry olvasási hiba(S: Hianyzo)!"};
    EXPECT_EQ(logTexts(), expected);
    EXPECT_EQ(log.entries().front().imageIndex, ProgramLog::Error);
    EXPECT_EQ(log.entries().front().caption, "2004.10.20.-9:00:00");
}

TEST_F(SettingsStoreTest, TheActiveConnectionsBareNameIsNotReported) {
    store.WriteSetting("Valami", "1");
    std::string active = "Otthon";
    store.setActiveConnectionName([&] { return active; });
    EXPECT_EQ(store.ReadSetting("Otthon"), "");
    EXPECT_TRUE(log.entries().empty());
    active = "Munka";
    store.ReadSetting("Otthon");
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Registry olvasási hiba(S: Otthon)!"});
}

TEST_F(SettingsStoreTest, AutoDialDefaultLivesInItsOwnKeyWithItsOwnReportText) {
    store.WriteAutoDialSetting("DefaultInternet", "Otthon");
    EXPECT_EQ(store.ReadAutoDialSetting("DefaultInternet"), "Otthon");
    EXPECT_EQ(store.ReadSettingQuiet("DefaultInternet"), "");
    EXPECT_EQ(registry
                  ->read(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\RAS AutoDial\\Default",
                         "DefaultInternet")
                  .text,
              "Otthon");
    EXPECT_EQ(store.ReadAutoDialSetting("Masik"), "");
    EXPECT_EQ(logTexts(), std::vector<std::string>{"Registry olvasási hiba(Masik)!"});
}

TEST_F(SettingsStoreTest, AWriteIsSeenByTheVeryNextRead) {
    for (const char* text : {"0", "1", "", "árvíztűrő tükörfúrógép"}) {
        store.WriteSetting("IndulMin", text);
        EXPECT_EQ(store.ReadSetting("IndulMin"), text);
    }
}

TEST(ColourText, NamedColoursByNameOthersAsDollarAndEightDigits) {
    const struct {
        std::uint32_t colour;
        const char* text;
    } cases[] = {
        {0x000000, "clBlack"}, {0xFFFFFF, "clWhite"},   {0x0000FF, "clRed"},
        {0x00FF00, "clLime"},  {0x336699, "$00336699"}, {0x000001, "$00000001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(colourToText(c.colour), c.text);
        EXPECT_EQ(textToColour(c.text), c.colour) << c.text;
    }
    EXPECT_EQ(textToColour("16777215"), 0xFFFFFFu);
    EXPECT_EQ(textToColour("$0G000000"), std::nullopt);
    EXPECT_EQ(textToColour("clNincs"), std::nullopt);
    EXPECT_EQ(textToColour(""), std::nullopt);
}

} // namespace
} // namespace vonalor::test

#include "settings/connection_record.h"

namespace vonalor::test {
namespace {

// A data home prepared by hand, an import or a reinstall keeps what it holds.
TEST_F(SettingsStoreTest, ANewConnectionRecordFillsInOnlyTheValuesThatAreMissing) {
    store.WriteSetting("A BOsszKoltseg", "123,45");
    store.WriteSetting("A BHetKozDelutan", "4,5");
    EXPECT_TRUE(CreateConnectionRecord(store, "A B"));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"OsszOra", "00"},       {"OsszPerc", "00"},      {"OsszMPerc", "00"},      {"OsszKoltseg", "123,45"},
        {"KapcsSzama", "0"},     {"HetKozDelelott", "1"}, {"HetKozDelutan", "4,5"}, {"HetKozEjjel", "1"},
        {"HetVegDelelott", "1"}, {"HetVegDelutan", "1"},  {"HetVegEjjel", "1"},     {"VanKapcsDij", "0"},
        {"KapcsDijErteke", "0"}, {"KedvErteke", "0"},     {"KedvOraErteke", "0"},   {"KuldottBajt", "0"},
        {"FogadottBajt", "0"},
    };
    for (const auto& [suffix, text] : expected)
        EXPECT_EQ(store.ReadSetting("A B" + suffix), text) << suffix;
    EXPECT_EQ(registry->values(RegistryRoot::LocalMachine, ProgramKey).size(), 17u);
    EXPECT_TRUE(log.entries().empty());
}

} // namespace
} // namespace vonalor::test
