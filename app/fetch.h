// Bringing a file onto the machine: a project file copied from a path or
// downloaded over HTTP, and the HTTP transfer that the progress dialog uses for
// the viewer's libraries.
#pragma once
#include <windows.h>

// Remote means "http:" at the start, in any case; everything else is a path.
bool isLocalLocation(const char* location);

// Both show their own message (no owner) when they fail.
bool copyProjectFile(const char* dest, const char* src);
bool downloadProjectFile(const char* dest, const char* url);

// Follows one transfer for whoever shows it to the user.
class CTransferWatcher {
public:
    virtual ~CTransferWatcher() = default;
    // Once the answer is good, before the first block; length 0 when the server gave none.
    virtual void begin(__int64 length) = 0;
    // After each block; returning false stops the transfer.
    virtual bool advance(__int64 received) = 0;
};

enum class FetchResult {
    done,
    failed,         // the user has been told why
    noDestination,  // the file could not be created; the error channel says why
    cancelled       // the watcher stopped it
};

// GETs url into dest. Messages are owned by owner. Whatever the outcome other
// than done, no file is left at dest.
FetchResult httpFetch(const char* url, const char* dest, HWND owner, CTransferWatcher* watcher);
