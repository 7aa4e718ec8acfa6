#include "core/message_dialogs.h"
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
        {1, 1, 0x32}, {2, 2, 0x41}, {3, 6, 0x10}, {4, 4, 0x24}, {5, 5, 0x33}, {0, 3, 0x05}, {9, 0, 0x00}, {3, 7, 0x10},
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

} // namespace
} // namespace vonalor
