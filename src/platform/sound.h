#pragma once

#include <string>

namespace vonalor {

// Sounds: the system's message beeps and wave files.
class Sound {
public:
    virtual ~Sound() = default;
    // The system's message beep of a style: 0x00 default, 0x10 stop, 0x20 question,
    // 0x30 exclamation, 0x40 asterisk.
    virtual void messageBeep(unsigned style) = 0;
    // Plays a sound file; with `wait` it returns when the sound has ended.
    virtual void playFile(const std::string& path, bool wait) = 0;
};

} // namespace vonalor
