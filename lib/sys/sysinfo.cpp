#include "sysinfo.h"
#include <windows.h>

namespace {

const int kSystemInfoTypeId = 102;

bool queryVersion(DWORD& major, DWORD& minor)
{
    OSVERSIONINFOEXA ex = {};
    ex.dwOSVersionInfoSize = sizeof ex;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        major = ex.dwMajorVersion;
        minor = ex.dwMinorVersion;
        return true;
    }
    // Systems older than the extended record know only the plain one.
    OSVERSIONINFOA plain = {};
    plain.dwOSVersionInfoSize = sizeof plain;
    if (!GetVersionExA(&plain)) return false;
    major = plain.dwMajorVersion;
    minor = plain.dwMinorVersion;
    return true;
}

}  // namespace

cSystemInfo::cSystemInfo() { type = kSystemInfoTypeId; }

void cSystemInfo::getOSVersion(cArrayTag& out)
{
    out.removeAll();
    DWORD major = 0, minor = 0;
    if (!queryVersion(major, minor)) return;
    out.set("MajorVersion", static_cast<__int64>(major));
    out.set("MinorVersion", static_cast<__int64>(minor));
}
