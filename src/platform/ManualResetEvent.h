#pragma once

// Stand-in for a Windows manual-reset event object, built on an eventfd so that it can be
// waited on together with a device node in one poll(): the event reader sleeps in poll() on
// the event collection and this event, and anyone may wake it by setting the event.

namespace zentro {

class CManualResetEvent {
public:
    CManualResetEvent();
    ~CManualResetEvent();
    CManualResetEvent(const CManualResetEvent&) = delete;
    CManualResetEvent& operator=(const CManualResetEvent&) = delete;

    bool IsValid() const { return m_fd >= 0; }
    // Signals the event; it stays signalled until Reset.
    void Set();
    // Returns the event to the non-signalled state.
    void Reset();
    bool IsSet() const;
    // Blocks until the event is signalled (without time-out when timeoutMs < 0).
    // Returns true when signalled, false on time-out.
    bool Wait(int timeoutMs = -1) const;
    // The descriptor to poll for POLLIN; readable exactly while the event is signalled.
    int Fd() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace zentro
