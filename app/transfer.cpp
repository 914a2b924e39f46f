#include "transfer.h"
#include "core/handle.h"
#include "sys/blockcopy.h"
#include <wininet.h>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Milliseconds between two progress events posted to the window.
const DWORD kMoveInterval = 50;

// The server's file as it is on the server: nothing answered from the system's
// URL cache, nothing written into it, and every redirection counted here.
const DWORD kRequestFlags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            INTERNET_FLAG_NO_AUTO_REDIRECT;
const DWORD_PTR kContext = 1;

bool isRedirection(DWORD status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

}  // namespace

struct CTransfer::Shared {
    Shared(const char* agentName, const char* address, HANDLE target, HWND window, DWORD wait)
        : agent(agentName ? agentName : ""), url(address ? address : ""), file(target), notify(window), timeout(wait)
    {
        InitializeCriticalSection(&lock);
    }
    ~Shared() { DeleteCriticalSection(&lock); }

    CRITICAL_SECTION lock;
    LONG refs = 2;  // the window thread's CTransfer and the worker
    const std::string agent;
    const std::string url;
    const HANDLE file;
    HWND notify;
    const DWORD timeout;
    // The worker's handles, kept here so that cancel can close them: on Windows
    // that ends a call blocked inside them.
    HINTERNET session = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
    bool cancelled = false;
    bool movePending = false;
    DWORD lastMove = 0;  // tick of the last transferMoved posted
    bool decoding = false;
    __int64 length = 0;
    __int64 received = 0;
    TransferOutcome outcome;
};

namespace {

typedef CTransfer::Shared Shared;

class CLock {
public:
    explicit CLock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~CLock() { LeaveCriticalSection(&m_section); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

// The slots are shared with the thread that cancels, so they stay plain handles
// closed under the lock rather than owners.
void closeInternet(HINTERNET& handle)
{
    if (handle) InternetTraits::close(handle);
    handle = nullptr;
}

// Locked: the worker's handles, innermost first.
void closeAll(Shared& s)
{
    closeInternet(s.request);
    closeInternet(s.connection);
    closeInternet(s.session);
}

void post(Shared& s, TransferEvent event)
{
    if (s.notify) PostMessageA(s.notify, WM_TRANSFER, event, 0);
}

bool isCancelled(Shared& s)
{
    CLock held(s.lock);
    return s.cancelled;
}

// Records a handle the worker just got, unless the transfer was cancelled
// meanwhile: then nobody else will close it.
bool keep(Shared& s, HINTERNET& slot, HINTERNET handle)
{
    CLock held(s.lock);
    if (s.cancelled) {
        closeInternet(handle);
        return false;
    }
    slot = handle;
    return handle != nullptr;
}

void drop(Shared& s, HINTERNET& slot)
{
    CLock held(s.lock);
    closeInternet(slot);
}

TransferOutcome ending(TransferEnd end, DWORD systemError = 0)
{
    TransferOutcome outcome;
    outcome.end = end;
    outcome.systemError = systemError;
    return outcome;
}

// Why a call on the network failed. The system does not always say that the
// wait ran out (some answer with a dropped connection), so the time decides.
TransferOutcome failure(Shared& s, DWORD started, TransferEnd otherwise)
{
    DWORD error = GetLastError();
    if (isCancelled(s)) return ending(TransferEnd::cancelled);
    if (error == ERROR_INTERNET_TIMEOUT || GetTickCount() - started + 100 >= s.timeout)
        return ending(TransferEnd::timedOut, error);
    return ending(otherwise, error);
}

void setTimeouts(HINTERNET handle, DWORD timeout)
{
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
}

// A server may compress a file it was not asked to: have it decoded.
bool setDecoding(HINTERNET handle)
{
    BOOL on = TRUE;
    return InternetSetOptionA(handle, INTERNET_OPTION_HTTP_DECODING, &on, sizeof on) != FALSE;
}

std::string piece(const char* text, DWORD length) { return text ? std::string(text, length) : std::string(); }

// The parts of an http: or https: URL that a connection and a request need.
struct UrlParts {
    std::string host, user, password, object;
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool crack(const std::string& url, UrlParts& parts)
{
    URL_COMPONENTSA c = {};
    c.dwStructSize = sizeof c;
    c.dwHostNameLength = c.dwUserNameLength = c.dwPasswordLength = c.dwUrlPathLength = c.dwExtraInfoLength = 1;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &c)) return false;
    if (c.nScheme != INTERNET_SCHEME_HTTP && c.nScheme != INTERNET_SCHEME_HTTPS) {
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return false;
    }
    parts.host = piece(c.lpszHostName, c.dwHostNameLength);
    parts.user = piece(c.lpszUserName, c.dwUserNameLength);
    parts.password = piece(c.lpszPassword, c.dwPasswordLength);
    parts.object = piece(c.lpszUrlPath, c.dwUrlPathLength) + piece(c.lpszExtraInfo, c.dwExtraInfoLength);
    if (parts.object.empty()) parts.object = "/";
    parts.port = c.nPort;
    parts.secure = c.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Connects and sends one GET; the answer's headers are in when it returns running.
TransferOutcome sendRequest(Shared& s, const std::string& url)
{
    UrlParts parts;
    if (!crack(url, parts)) return ending(TransferEnd::unreachable, GetLastError());
    DWORD started = GetTickCount();
    HINTERNET connection = InternetConnectA(s.session, parts.host.c_str(), parts.port, orNull(parts.user),
                                            orNull(parts.password), INTERNET_SERVICE_HTTP, 0, kContext);
    if (!keep(s, s.connection, connection)) return failure(s, started, TransferEnd::unreachable);
    DWORD flags = kRequestFlags | (parts.secure ? INTERNET_FLAG_SECURE : 0);
    HINTERNET request =
        HttpOpenRequestA(connection, "GET", parts.object.c_str(), nullptr, nullptr, nullptr, flags, kContext);
    if (!keep(s, s.request, request)) return failure(s, started, TransferEnd::unreachable);
    setTimeouts(request, s.timeout);
    if (s.decoding) setDecoding(request);
    started = GetTickCount();
    if (!HttpSendRequestA(request, nullptr, 0, nullptr, 0)) return failure(s, started, TransferEnd::unreachable);
    return ending(isCancelled(s) ? TransferEnd::cancelled : TransferEnd::running);
}

bool queryText(HINTERNET request, DWORD what, char* text, DWORD size)
{
    DWORD length = size - 1;
    text[0] = 0;
    if (!HttpQueryInfoA(request, what, text, &length, nullptr)) return false;
    text[length < size ? length : size - 1] = 0;
    return true;
}

// Where a redirection points, made absolute against the URL that answered it.
bool redirectionTarget(HINTERNET request, const std::string& base, std::string& target)
{
    char location[2048];
    if (!queryText(request, HTTP_QUERY_LOCATION, location, sizeof location) || !location[0]) return false;
    DWORD size = 2048;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::string combined(size + 1, '\0');
        DWORD length = size;
        if (InternetCombineUrlA(base.c_str(), location, &combined[0], &length, ICU_NO_ENCODE)) {
            combined.resize(strlen(combined.c_str()));
            target = combined;
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        size = length + 1;
    }
    return false;
}

// The value of one response header, read from the raw headers: some systems
// answer a query for Content-Encoding with another header's value.
std::string headerValue(HINTERNET request, const char* name)
{
    DWORD size = 0;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
    if (size == 0) return std::string();
    std::string raw(size + 1, '\0');
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, &raw[0], &size, nullptr)) return std::string();
    raw.resize(strlen(raw.c_str()));
    size_t nameLength = strlen(name);
    for (size_t line = 0; line < raw.size();) {
        size_t end = raw.find("\r\n", line);
        if (end == std::string::npos) end = raw.size();
        if (end - line > nameLength && raw[line + nameLength] == ':' &&
            _strnicmp(raw.c_str() + line, name, nameLength) == 0) {
            size_t value = raw.find_first_not_of(" \t", line + nameLength + 1);
            return value < end ? raw.substr(value, raw.find_last_not_of(" \t", end - 1) + 1 - value) : std::string();
        }
        line = end + 2;
    }
    return std::string();
}

// A content encoding the system decodes for us, or none at all.
bool readableEncoding(Shared& s, HINTERNET request, bool& encoded)
{
    std::string encoding = headerValue(request, "Content-Encoding");
    encoded = !encoding.empty() && _stricmp(encoding.c_str(), "identity") != 0;
    if (!encoded) return true;
    const char* name = encoding.c_str();
    bool known = !_stricmp(name, "gzip") || !_stricmp(name, "x-gzip") || !_stricmp(name, "deflate");
    return known && s.decoding;
}

bool announcedLength(HINTERNET request, __int64& length)
{
    char text[100];
    length = 0;
    if (!queryText(request, HTTP_QUERY_CONTENT_LENGTH, text, sizeof text)) return false;
    length = _strtoi64(text, nullptr, 10);
    return length >= 0;
}

// Locked: one block into the file, unless the window thread has let go of it.
TransferOutcome store(Shared& s, const char* block, DWORD got)
{
    CLock held(s.lock);
    if (s.cancelled) return ending(TransferEnd::cancelled);
    DWORD written = 0;
    if (!WriteFile(s.file, block, got, &written, nullptr) || written != got)
        return ending(TransferEnd::writeFailed, GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    s.received += got;
    // A post per block would cost more than the block itself: a message between two
    // threads is a trip through the system, and the window looks only ten times a second.
    DWORD now = GetTickCount();
    if (!s.movePending && now - s.lastMove >= kMoveInterval) {
        s.movePending = true;
        s.lastMove = now;
        post(s, transferMoved);
    }
    return ending(TransferEnd::running);
}

TransferOutcome receiveBody(Shared& s, HINTERNET request)
{
    bool encoded = false;
    if (!readableEncoding(s, request, encoded)) return ending(TransferEnd::badEncoding);
    __int64 length = 0;
    // The announced length counts the encoded bytes, not the ones we store.
    bool announced = announcedLength(request, length) && !encoded;
    {
        CLock held(s.lock);
        s.length = announced ? length : 0;
        post(s, transferBegun);
    }
    char block[kaBlockSize];
    for (;;) {
        DWORD got = 0;
        DWORD started = GetTickCount();
        if (!InternetReadFile(request, block, kaBlockSize, &got)) return failure(s, started, TransferEnd::brokenOff);
        if (got == 0) break;
        TransferOutcome stored = store(s, block, got);
        if (stored.end != TransferEnd::running) return stored;
    }
    if (isCancelled(s)) return ending(TransferEnd::cancelled);
    // A connection cut off mid-body can look like a normal end of data: only
    // the count against the announced length tells them apart.
    CLock held(s.lock);
    return ending(announced && s.received != length ? TransferEnd::brokenOff : TransferEnd::done);
}

TransferOutcome badStatus(HINTERNET request, DWORD status)
{
    TransferOutcome outcome = ending(TransferEnd::badStatus);
    outcome.status = status;
    if (!queryText(request, HTTP_QUERY_STATUS_TEXT, outcome.statusText, sizeof outcome.statusText))
        outcome.systemError = GetLastError();
    return outcome;
}

TransferOutcome fetch(Shared& s)
{
    HINTERNET session = InternetOpenA(s.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!keep(s, s.session, session)) return ending(isCancelled(s) ? TransferEnd::cancelled : TransferEnd::unreachable);
    setTimeouts(session, s.timeout);
    s.decoding = setDecoding(session);
    std::string url = s.url;
    for (int redirections = 0;; ++redirections) {
        TransferOutcome sent = sendRequest(s, url);
        if (sent.end != TransferEnd::running) return sent;
        HINTERNET request = nullptr;
        {
            CLock held(s.lock);
            request = s.request;
        }
        if (!request) return ending(TransferEnd::cancelled);
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            return ending(TransferEnd::statusUnknown, GetLastError());
        std::string target;
        if (isRedirection(status) && redirectionTarget(request, url, target)) {
            if (redirections == CTransfer::kMaxRedirections) return ending(TransferEnd::tooManyRedirects);
            url = target;
            drop(s, s.request);
            drop(s, s.connection);
            continue;
        }
        if (status < 200 || status > 299) return badStatus(request, status);
        return receiveBody(s, request);
    }
}

DWORD WINAPI work(void* parameter)
{
    Shared& s = *static_cast<Shared*>(parameter);
    TransferOutcome outcome = fetch(s);
    {
        CLock held(s.lock);
        closeAll(s);
        if (!s.cancelled) {
            s.outcome = outcome;
            post(s, transferEnded);
        }
    }
    if (InterlockedDecrement(&s.refs) == 0) delete &s;
    return 0;
}

}  // namespace

CTransfer::~CTransfer()
{
    cancel();
    release();
}

void CTransfer::release()
{
    if (m_shared && InterlockedDecrement(&m_shared->refs) == 0) delete m_shared;
    m_shared = nullptr;
}

bool CTransfer::start(const char* agent, const char* url, HANDLE file, HWND notify, DWORD timeoutMs)
{
    cancel();
    release();
    m_shared = new Shared(agent, url, file, notify, timeoutMs);
    // A thread of the system's pool: a new thread for every library costs more under
    // some systems than fetching a small one. The long-running hint lets the pool add a
    // thread while another is still stuck in a cancelled call. The worker keeps its own
    // reference to what it shares with us; nothing ever waits for it.
    if (!QueueUserWorkItem(work, m_shared, WT_EXECUTELONGFUNCTION)) {
        m_shared->refs = 1;
        release();
        return false;
    }
    return true;
}

void CTransfer::cancel()
{
    if (!m_shared) return;
    CLock held(m_shared->lock);
    if (m_shared->outcome.end != TransferEnd::running) return;
    m_shared->cancelled = true;
    m_shared->notify = nullptr;
    m_shared->outcome = ending(TransferEnd::cancelled);
    closeAll(*m_shared);
}

bool CTransfer::ended() const
{
    if (!m_shared) return true;
    CLock held(m_shared->lock);
    return m_shared->outcome.end != TransferEnd::running;
}

TransferOutcome CTransfer::outcome() const
{
    if (!m_shared) return TransferOutcome();
    CLock held(m_shared->lock);
    return m_shared->outcome;
}

__int64 CTransfer::length() const
{
    if (!m_shared) return 0;
    CLock held(m_shared->lock);
    return m_shared->length;
}

__int64 CTransfer::received() const
{
    if (!m_shared) return 0;
    CLock held(m_shared->lock);
    return m_shared->received;
}

void CTransfer::moveSeen()
{
    if (!m_shared) return;
    CLock held(m_shared->lock);
    m_shared->movePending = false;
}
