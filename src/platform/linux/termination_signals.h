#pragma once

namespace vonalor {

// SIGINT, SIGTERM and SIGHUP, taken in through a self-pipe: the handler only writes a byte,
// the event loop (Qt's or our own) watches the read end and closes the program in order.
class TerminationSignals {
public:
    // Installs the handlers; false (and no handlers) when the pipe cannot be made. One per
    // process: a second install keeps the first pipe.
    static bool install();
    // The end to watch for reading; -1 before install().
    static int descriptor();
    // Takes one noted signal off the pipe without waiting; its number, or 0 when none was noted.
    static int take();
};

} // namespace vonalor
