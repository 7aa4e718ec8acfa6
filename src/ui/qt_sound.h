#pragma once

#include "platform/sound.h"

namespace vonalor {

// Sounds on the desktop: the message beeps as the desktop's bell.
class QtSound final : public Sound {
public:
    void messageBeep(unsigned style) override;
    void playFile(const std::string& path, bool wait) override;
};

} // namespace vonalor
