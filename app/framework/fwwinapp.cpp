#include "fwwinapp.h"

namespace {

CWinApp* theApp = nullptr;

bool isBlank(char c) { return c > 0 && c <= ' '; }

// A byte of 0x80 or above starts a two-byte character: its second byte is never a separator.
const char* nextChar(const char* p)
{
    return static_cast<unsigned char>(*p) >= 0x80 && p[1] ? p + 2 : p + 1;
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_appName(appName) { theApp = this; }

CWinApp::~CWinApp()
{
    if (theApp == this) theApp = nullptr;
}

CWinApp* CWinApp::current() { return theApp; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::run(HINSTANCE instance)
{
    m_hInstance = instance;
    if (m_appName.isBlank()) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(instance, path, MAX_PATH);
        m_appName = appNameFromPath(path);
    }
    m_lpCmdLine = commandLineTail(GetCommandLineA());
    InitInstance();
    return 0;
}

cStringA appNameFromPath(const char* path)
{
    if (!path) return cStringA();
    const char* name = path;
    const char* dot = nullptr;
    for (const char* p = path; *p; p = nextChar(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    cStringA result(name);
    if (dot) {
        // The name is copied whole and cut at its last dot: the dot's offset within it.
        int keep = static_cast<int>(dot - name);
        char* text = strDuplicate(name);
        if (text) {
            text[keep] = 0;
            result = text;
            ka_free(text);
        }
    }
    return result;
}

const char* commandLineTail(const char* commandLine)
{
    const char* p = commandLine ? commandLine : "";
    if (*p == '"') {
        for (++p; *p && *p != '"'; p = nextChar(p)) {
        }
        if (*p == '"') ++p;
    } else {
        while (*p && !isBlank(*p)) p = nextChar(p);
    }
    while (isBlank(*p)) ++p;
    return p;
}
