#include "core/message_dialogs.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace vonalor {
namespace {

TEST(CaptionedMessageBoxTest, IconAndButtonKindsMapToTheBoxStyle) {
    const struct {
        int icon;
        int buttons;
        unsigned style;
    } cases[] = {
        {1, 1, 0x32}, {2, 2, 0x41}, {3, 6, 0x10}, {4, 4, 0x24},
        {5, 5, 0x33}, {0, 3, 0x05}, {9, 0, 0x00}, {3, 7, 0x10},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        CaptionedMessageBox(dialogs, "Cím", "szöveg", c.icon, c.buttons);
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].style, c.style) << c.icon << "/" << c.buttons;
    }
}

TEST(CaptionedMessageBoxTest, BarsBecomeLineBreaksAndTheAnswerIsReturned) {
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(mb::IdNo);
    EXPECT_EQ(CaptionedMessageBox(dialogs, "Rossz jelszó!", "első|második", 4, 4), mb::IdNo);
    EXPECT_EQ(dialogs.shown()[0].caption, "Rossz jelszó!");
    EXPECT_EQ(dialogs.shown()[0].text, "első\r\nmásodik");
}

TEST(CaptionedMessageBoxTest, OverlongCaptionAndTextAreCutAtTheirLimits) {
    ScriptedDialogs dialogs;
    CaptionedMessageBox(dialogs, std::string(120, 'c'), std::string(300, '|'), 2, 6);
    EXPECT_EQ(dialogs.shown()[0].caption.size(), 99u);
    EXPECT_EQ(dialogs.shown()[0].text.size(), 499u);
}

TEST(LocalizedMessageDlgTest, CaptionsFollowTheKindAndTheCallersSet) {
    const struct {
        MessageKind kind;
        const char* standard;
        const char* password;
        const char* companion;
    } cases[] = {
        {MessageKind::Warning, "Figyelem!", "Figyelem...", "Figyelem..."},
        {MessageKind::Error, "Hiba...", "Érvénytelen jelszó!", "Hiba..."},
        {MessageKind::Information, "Info...", "Információ!", "Info..."},
        {MessageKind::Confirmation, "Kérdés...", "Kérdés...", "Kérdés..."},
        {MessageKind::Custom, "Üzenet...", "Üzenet...", "Üzenet..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captionFor(CaptionSet::Standard, c.kind), c.standard);
        EXPECT_EQ(captionFor(CaptionSet::Password, c.kind), c.password);
        EXPECT_EQ(captionFor(CaptionSet::Companion, c.kind), c.companion);
    }
}

TEST(LocalizedMessageDlgTest, ButtonsStandInSetOrderWithHungarianLabels) {
    const MessageDialog all = buildMessageDialog(CaptionSet::Standard, "x", MessageKind::Custom, 0x7FF);
    const std::vector<DialogButton> expected = {
        {"&Igen", 6},   {"&Nem", 7},  {"&Rendben", 1},   {"&Mégsem", 2},       {"&Kilépés", 3}, {"&Újra", 4},
        {"Rá&hagy", 5}, {"Min&d", 8}, {"&Egyet sem", 9}, {"Minde&gyiket", 10}, {"&Súgó", 0},
    };
    EXPECT_EQ(all.buttons, expected);
    EXPECT_FALSE(all.companionLayout);
}

// Enter and Esc: the default is OK, else Yes, else Retry; the cancel is Cancel, else No, else OK.
TEST(LocalizedMessageDlgTest, EnterAndEscAnswersByTheButtonSet) {
    const struct {
        unsigned set;
        int enter;
        int esc;
    } cases[] = {
        {buttons::Ok, 1, 1},
        {buttons::Yes | buttons::No, 6, 7},
        {buttons::Yes | buttons::No | buttons::Cancel, 6, 2},
        {buttons::Ok | buttons::Cancel, 1, 2},
        {buttons::Retry | buttons::Cancel, 4, 2},
        {buttons::Abort | buttons::Ignore, 0, 0},
    };
    for (const auto& c : cases) {
        const MessageDialog dialog =
            buildMessageDialog(CaptionSet::Standard, "x", MessageKind::Confirmation, c.set);
        EXPECT_EQ(dialog.defaultResult, c.enter) << c.set;
        EXPECT_EQ(dialog.cancelResult, c.esc) << c.set;
    }
}

TEST(LocalizedMessageDlgTest, TheKindsSoundPlaysBeforeTheDialog) {
    const struct {
        MessageKind kind;
        const char* sound; // nullptr: silent
    } cases[] = {
        {MessageKind::Warning, "beep:48"},   {MessageKind::Error, "beep:64"},
        {MessageKind::Information, nullptr}, {MessageKind::Confirmation, "beep:32"},
        {MessageKind::Custom, "beep:0"},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        RecordingSound sound;
        std::size_t heardBeforeShown = 99;
        dialogs.setWhileOpen(
            [&](const ScriptedDialogs::Shown&) { heardBeforeShown = sound.played().size(); });
        EXPECT_EQ(LocalizedMessageDlg(dialogs, sound, CaptionSet::Standard, "szöveg", c.kind, buttons::Ok),
                  1);
        if (c.sound) {
            EXPECT_EQ(sound.played(), std::vector<std::string>{c.sound});
            EXPECT_EQ(heardBeforeShown, 1u);
        } else {
            EXPECT_TRUE(sound.played().empty());
        }
    }
}

TEST(CompanionChoiceDlgTest, ThreeSentenceButtonsYesIsTheDefaultCancelTheEscape) {
    ScriptedDialogs dialogs;
    RecordingSound sound;
    EXPECT_EQ(CompanionChoiceDlg(dialogs, sound, "Bezárja?", MessageKind::Confirmation,
                                 buttons::Yes | buttons::No | buttons::Cancel),
              6);
    const MessageDialog& shown = dialogs.shown().at(0).dialog;
    EXPECT_EQ(shown.caption, "Kérdés...");
    EXPECT_TRUE(shown.companionLayout);
    const std::vector<DialogButton> expected = {{"&Nem zárom be,adat látszódjon!", 6},
                                                {"&Bezárom, sose jelenjen meg!", 7},
                                                {"B&ezárom,aktív kapcsolatnál látszódjon!", 2}};
    EXPECT_EQ(shown.buttons, expected);
    EXPECT_EQ(shown.cancelResult, 2);
    EXPECT_EQ(sound.played(), std::vector<std::string>{"beep:32"});
}

} // namespace
} // namespace vonalor
