#pragma once

#include "core/main_window_state.h"
#include "core/program_core.h"

#include <QWidget>

namespace vonalor {

// A part of the main window that renders its own share of the core's state and forwards the
// user's actions on its widgets to the core.
class Page {
public:
    virtual ~Page() = default;
    // The aspects whose change the page shows; the window renders it only for these.
    virtual Aspects watches() const = 0;
    // What is read once, when the window is made (after the core's FormCreate).
    virtual void load(const MainWindowState& /*state*/) {}
    // Renders the page's widgets that show the changed aspects.
    virtual void render(const MainWindowState& state, Aspects aspects) = 0;
};

// A page built on the program core: the core is what it renders and what it tells the user's
// actions to.
class CorePage : public QWidget, public Page {
public:
    CorePage(ProgramCore& core, const char* name, QWidget* parent) : QWidget(parent), m_core(core) {
        setObjectName(QString::fromLatin1(name));
    }

protected:
    ProgramCore& m_core;
};

// A change the core could not narrow down: every part of the state may have moved.
constexpr bool isFullChange(Aspects aspects) {
    return (aspects & AllAspects) == AllAspects;
}

} // namespace vonalor
