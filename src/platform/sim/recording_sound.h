#pragma once

#include "platform/sound.h"

#include <string>
#include <vector>

namespace vonalor {

// Records every sound instead of playing it.
class RecordingSound final : public Sound {
public:
    void messageBeep(unsigned style) override { m_played.push_back("beep:" + std::to_string(style)); }
    void playFile(const std::string& path, bool wait) override {
        m_played.push_back(std::string(wait ? "play-wait:" : "play:") + path);
    }
    const std::vector<std::string>& played() const { return m_played; }
    void clear() { m_played.clear(); }

private:
    std::vector<std::string> m_played;
};

} // namespace vonalor
