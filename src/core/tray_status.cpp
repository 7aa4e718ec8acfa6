#include "core/tray_status.h"

#include "core/core_ports.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"

namespace vonalor {

void TrayStatus::TimerIkonTimer(const SessionState& session, const DurationState& duration,
                                const CostState& cost, bool sent, bool received) {
    const bool active = session.lbKapcsAllap != "Nincs Kapcsolat";
    if (active)
        m_state.hint = "Költség   : " + cost.lbJelenKoltseg + " Ft\rIdőtartam : " + duration.lbOra + ":" +
                       duration.lbPerc + ":" + duration.lbMPerc + "\rFogadott  : " + session.lbBajtFogad +
                       " byte\rKüldött   : " + session.lbBajtKuld + " byte";
    else
        m_state.hint = "Nincs aktív kapcsolat";
    if (sent && received)
        m_state.picture = TrayPicture::Both;
    else if (sent)
        m_state.picture = TrayPicture::Sending;
    else if (received)
        m_state.picture = TrayPicture::Receiving;
    else
        m_state.picture = active ? TrayPicture::Quiet : TrayPicture::NoConnection;
}

bool TrayStatus::menuOffered() const {
    return !m_ports.store.readNotOff(setting::JelszoMinim);
}

} // namespace vonalor
