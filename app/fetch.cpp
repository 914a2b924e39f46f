#include "fetch.h"
#include <wininet.h>
#include "framework/winapp.h"
#include "ka.h"
#include "message.h"

namespace {

const DWORD kBlock = 10240;
const char* const kUnknownError = "Unknown error while accessing remote file.";
const char* const kBrokenOff = "The transfer broke off before the whole file arrived.";

// Closes its WinINet handle on every way out.
class CInternetHandle {
public:
    explicit CInternetHandle(HINTERNET h) : m_h(h) {}
    ~CInternetHandle()
    {
        if (m_h) InternetCloseHandle(m_h);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    operator HINTERNET() const { return m_h; }

private:
    HINTERNET m_h;
};

// The application's name (its program file's name) is what the server sees us as.
cStringA agentName()
{
    CWinApp* app = CWinApp::current();
    return app ? app->m_appName : cStringA();
}

cStringA systemText(DWORD code)
{
    char text[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    return cStringA(n ? text : kUnknownError);
}

void report(HWND owner, const char* reason, const char* url)
{
    cStringA text(reason);
    text << "\r\n" << url;
    showLauncherMessage(owner, text);
}

// The reason a status outside 200-299 failed, in the words the server chose.
cStringA statusReason(HINTERNET request, DWORD status)
{
    if (status == HTTP_STATUS_NOT_FOUND) return cStringA("Could not find the requested file on the server.");
    char text[256] = {};
    DWORD size = sizeof text - 1;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_TEXT, text, &size, nullptr)) return systemText(GetLastError());
    return cStringA(text);
}

// The announced body length; false when the server announced none.
bool contentLength(HINTERNET request, __int64& length)
{
    char text[100] = {};
    DWORD size = sizeof text - 1;
    length = 0;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return false;
    length = strBigInt(text);
    return length >= 0;
}

FetchResult receiveBody(HINTERNET request, const char* url, const char* dest, HWND owner, CTransferWatcher* watcher)
{
    __int64 length = 0;
    bool announced = contentLength(request, length);
    cFile file;
    if (!file.createOver(dest)) return FetchResult::noDestination;
    if (watcher) watcher->begin(length);

    char block[kBlock];
    __int64 received = 0;
    FetchResult result = FetchResult::done;
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, block, kBlock, &got)) {
            report(owner, kBrokenOff, url);
            result = FetchResult::failed;
            break;
        }
        if (got == 0) break;
        if (!file.write(block, got)) {  // the write has shown its own message
            result = FetchResult::failed;
            break;
        }
        received += got;
        if (watcher && !watcher->advance(received)) {
            result = FetchResult::cancelled;
            break;
        }
    }
    // WinINet ends a connection cut off mid-body like a normal end of data:
    // only the count against the announced length tells them apart.
    if (result == FetchResult::done && announced && received != length) {
        report(owner, kBrokenOff, url);
        result = FetchResult::failed;
    }
    if (result == FetchResult::done)
        file.close();
    else
        file.kill();
    return result;
}

}  // namespace

bool isLocalLocation(const char* location)
{
    return strnCompareNoCase(location, "http:", 5) != 0;
}

bool copyProjectFile(const char* dest, const char* src)
{
    cFile in;
    if (!in.openRead(src)) {
        kaErrorShow(nullptr);
        return false;
    }
    cFile out;
    if (!out.createOver(dest)) {
        kaErrorShow(nullptr);
        return false;
    }
    // A failed read or write shows its own message; a short read (the file
    // shrank under us) leaves its message pending.
    char block[kBlock];
    for (__int64 rest = in.length(); rest > 0;) {
        unsigned long want = rest < kBlock ? static_cast<unsigned long>(rest) : kBlock;
        if (in.read(block, want) != want || !out.write(block, want)) {
            kaErrorShow(nullptr);
            out.kill();
            return false;
        }
        rest -= want;
    }
    out.close();
    return true;
}

FetchResult httpFetch(const char* url, const char* dest, HWND owner, CTransferWatcher* watcher)
{
    CInternetHandle session(InternetOpenA(agentName(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    CInternetHandle request(session ? InternetOpenUrlA(session, url, nullptr, 0, INTERNET_FLAG_TRANSFER_BINARY, 1)
                                    : nullptr);
    if (!request) {
        report(owner, "Can not download the file from the designated site.", url);
        return FetchResult::failed;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        report(owner, systemText(GetLastError()), url);
        return FetchResult::failed;
    }
    if (status < 200 || status > 299) {
        report(owner, statusReason(request, status), url);
        return FetchResult::failed;
    }
    return receiveBody(request, url, dest, owner, watcher);
}

bool downloadProjectFile(const char* dest, const char* url)
{
    FetchResult result = httpFetch(url, dest, nullptr, nullptr);
    if (result == FetchResult::noDestination) kaErrorShow(nullptr);
    return result == FetchResult::done;
}
