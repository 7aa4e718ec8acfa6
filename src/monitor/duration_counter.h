#pragma once

#include "core/main_window_state.h"

#include <string>

namespace vonalor {

// The session's clock of three display fields. Owns the duration part of the state.
class DurationCounter {
public:
    explicit DurationCounter(DurationState& state) : m_state(state) {}

    // The connected edge sets the seconds to "07", as the behaviour does.
    void connected() { m_state.lbMPerc = "07"; }
    void secondCounted() { advanceClock(m_state.lbOra, m_state.lbPerc, m_state.lbMPerc); }
    void reset() { m_state.lbOra = m_state.lbPerc = m_state.lbMPerc = "00"; }
    // The clock reads h:m:s exactly.
    bool reads(const char* hours, const char* minutes, const char* seconds) const {
        return m_state.lbOra == hours && m_state.lbPerc == minutes && m_state.lbMPerc == seconds;
    }

    // One second on a clock of three display fields, with the carries; hours grow without a limit.
    static void advanceClock(std::string& hours, std::string& minutes, std::string& seconds);

private:
    DurationState& m_state;
};

} // namespace vonalor
