#include "fwwinapp.h"
#include "core/cstr.h"
#include "core/leadbyte.h"

namespace {

CWinApp* theApp = nullptr;

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
    for (const char* p = path; *p; p += kaCharWidth(p)) {
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
        for (++p; *p && *p != '"'; p += kaCharWidth(p)) {
        }
        if (*p == '"') ++p;
    } else {
        while (*p && !kaIsWhiteChar(*p)) p += kaCharWidth(p);
    }
    p = strSkipWhite(p);
    return p;
}
