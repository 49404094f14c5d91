#pragma once
// The termination signals SIGTERM, SIGINT and SIGHUP as bytes in a self-pipe, installed before
// the toolkit starts: a signal in the first milliseconds waits in the pipe until the event loop
// reads it. SIGXFSZ is ignored, so a write beyond the file-size limit fails like any other write
// instead of killing the process. It does not act on the signals: whoever reads the pipe does.

namespace rt::gui {

class EndSignals
{
public:
    EndSignals();
    ~EndSignals(); // the signals' default actions again, the pipe closed
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

    // The end to read from; -1 when the pipe could not be made.
    int readEnd() const;
    // Reads every byte waiting: however many signals came, they ask for one end.
    void drain() const;
};

} // namespace rt::gui
