// One HTTP GET on a thread of its own, so that the window that shows it keeps
// painting and can stop it at any moment: while the name is resolved, while the
// server is silent, and between two blocks of the body.
//
// The window thread owns the destination file and creates it; the worker only
// writes what arrives into it, under a lock that the window thread also takes
// before it closes the file. A cancelled transfer therefore never writes again,
// even when the worker is still stuck in a call that the system does not
// interrupt, and the window thread may delete the file at once.
#pragma once
#include <windows.h>

// Sent to the window while a transfer runs; wParam is a TransferEvent.
const UINT WM_TRANSFER = WM_APP + 0x51;
enum TransferEvent : WPARAM { transferBegun = 1, transferMoved, transferEnded };

// How a transfer ended; the window thread turns it into the user's message.
enum class TransferEnd {
    running,
    done,
    unreachable,      // the request could not be sent or answered
    statusUnknown,    // the status could not be read; systemError says why
    badStatus,        // outside 200-299; status and statusText say which
    timedOut,         // the server stayed silent longer than the timeout
    tooManyRedirects,
    badEncoding,      // a content encoding that cannot be decoded
    brokenOff,        // fewer bytes than announced, or a failed read
    writeFailed,      // the destination refused a block; systemError says why
    cancelled,
    notAnImage        // not the worker's finding: the window thread's check of a library
};

struct TransferOutcome {
    TransferEnd end = TransferEnd::running;
    DWORD status = 0;
    DWORD systemError = 0;
    char statusText[256] = {};
};

class CTransfer {
public:
    // A server may stay silent this long in any phase before the transfer gives up.
    static const DWORD kTimeoutMs = 30000;
    // HTTP redirections followed for one file before it is refused.
    static const int kMaxRedirections = 16;

    CTransfer() = default;
    CTransfer(const CTransfer&) = delete;
    CTransfer& operator=(const CTransfer&) = delete;
    ~CTransfer();

    // Starts the GET of url into file (a handle the caller keeps open and
    // closes). Events go to notify as WM_TRANSFER; false if no thread starts.
    bool start(const char* agent, const char* url, HANDLE file, HWND notify, DWORD timeoutMs = kTimeoutMs);
    // Window thread: stops the transfer. When it returns the worker writes
    // nothing more and posts nothing more; it may still be running.
    void cancel();
    bool ended() const;
    // Safe to read once ended() (or after cancel()).
    TransferOutcome outcome() const;
    // The length the server announced (0 if none) and the bytes stored so far.
    __int64 length() const;
    __int64 received() const;
    // The window has handled a transferMoved event: the next may be posted.
    void moveSeen();

    // What the worker and the window thread share; it lives until both let go.
    struct Shared;

private:
    void release();

    Shared* m_shared = nullptr;
};
