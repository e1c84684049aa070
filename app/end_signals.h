#pragma once
// SIGTERM and SIGINT (the desktop's log-out, Ctrl+C in a terminal) end the
// program as closing its main window does, so that the database is closed
// cleanly, from the main loop or any modal one, start-up included. The handler
// only writes a byte to a socket pair; whichever loop runs reads it and ends
// them all.
#include <QSocketNotifier>
#include <csignal>
#include <memory>

class TEndSignals {
public:
    TEndSignals();    // installs the handlers
    ~TEndSignals();   // puts the previous ones back
    TEndSignals(const TEndSignals&) = delete;
    TEndSignals& operator=(const TEndSignals&) = delete;

    // A signal came, perhaps before the message loop ran.
    bool Requested() const { return requested_; }

private:
    static constexpr int Signals[] = {SIGTERM, SIGINT};
    static void Handle(int);
    void Received();

    int sockets_[2] = {-1, -1};   // the handler writes to the first, the loop reads the second
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previous_[std::size(Signals)] {};
    bool requested_ = false;
};
