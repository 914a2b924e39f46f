#include "fetch.h"
#include <wininet.h>
#include "core/handle.h"
#include "sys/blockcopy.h"
#include "downdlg.h"
#include "message.h"

const char* const kSideExtension = ".part";

namespace {

const char* const kUnknownError = "Unknown error while accessing remote file.";
// Names raised past this many taken ones mean something else is wrong.
const int kUniqueAttempts = 1000;

cStringA systemText(DWORD code)
{
    char text[256] = {};
    DWORD n = code ? FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr)
                   : 0;
    return cStringA(n ? text : kUnknownError);
}

// The reason a status outside 200-299 failed, in the words the server chose.
cStringA statusReason(const TransferOutcome& outcome)
{
    if (outcome.status == HTTP_STATUS_NOT_FOUND) return cStringA("Could not find the requested file on the server.");
    if (outcome.systemError) return systemText(outcome.systemError);
    return cStringA(outcome.statusText);
}

cStringA reason(const TransferOutcome& outcome)
{
    switch (outcome.end) {
    case TransferEnd::statusUnknown:
        return systemText(outcome.systemError);
    case TransferEnd::badStatus:
        return statusReason(outcome);
    case TransferEnd::timedOut:
        return cStringA("The server did not answer in time.");
    case TransferEnd::tooManyRedirects: {
        cStringA text("The server redirected the file more than ");
        text << CTransfer::kMaxRedirections << " times.";
        return text;
    }
    case TransferEnd::badEncoding:
        return cStringA("The server sent the file in an encoding that can not be decoded.");
    case TransferEnd::brokenOff:
        return cStringA("The transfer broke off before the whole file arrived.");
    case TransferEnd::notAnImage:
        return cStringA("The file from the server is not a program library:");
    default:
        return cStringA("Can not download the file from the designated site.");
    }
}

bool readAt(HANDLE file, LONG offset, void* data, DWORD size)
{
    DWORD got = 0;
    return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, data, size, &got, nullptr) && got == size;
}

bool endsWithNoCase(const char* text, const char* tail)
{
    int length = strLen(text), tailLength = strLen(tail);
    return length >= tailLength && strCompareNoCase(text + length - tailLength, tail) == 0;
}

}  // namespace

bool isLocalLocation(const char* location)
{
    return strnCompareNoCase(location, "http:", 5) != 0;
}

cStringA transferMessage(const TransferOutcome& outcome, const char* url)
{
    cStringA text(reason(outcome));
    text << "\r\n" << url;
    return text;
}

cStringA unwritableMessage(const char* path, DWORD systemError)
{
    cStringA text("The file could not be written:\r\n");
    text << path;
    cStringA why = systemError ? systemText(systemError) : cStringA(kaErrorGetMsg());
    if (why.hasContent()) text << "\r\n" << why;
    kaErrorClear();
    return text;
}

bool namesProgramImage(const char* entry)
{
    return endsWithNoCase(entry, ".dll") || endsWithNoCase(entry, ".exe");
}

bool isWindowsImage(HANDLE file)
{
    char mz[2] = {};
    DWORD peOffset = 0;
    char pe[4] = {};
    if (!readAt(file, 0, mz, sizeof mz) || mz[0] != 'M' || mz[1] != 'Z') return false;
    if (!readAt(file, 0x3C, &peOffset, sizeof peOffset) || peOffset > 0x7FFFFFF0) return false;
    return readAt(file, static_cast<LONG>(peOffset), pe, sizeof pe) && memcmp(pe, "PE\0\0", 4) == 0;
}

bool createUniqueFile(cFile& file, cFileName& name, const char* folder, const char* ext)
{
    unsigned long stem = GetTickCount();
    for (int attempt = 0; attempt < kUniqueAttempts; ++attempt, ++stem) {
        cStringA number;
        number.set(stem);
        name.fullWithDir(number, folder, ext);
        if (file.create(name)) return true;
        if (!kaIsFile(name) && !kaIsDir(name)) return false;
        kaErrorClear();
    }
    return false;
}

void deleteStaleSideFiles(const char* folder)
{
    cStringA pattern(folder);
    pattern << "*" << kSideExtension;
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA(pattern, &found));
    if (!find) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        cStringA path(folder);
        path << found.cFileName;
        // A download in progress holds its side file without delete sharing, so this fails for it.
        DeleteFileA(path);
    } while (FindNextFileA(find.get(), &found));
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
    __int64 length = in.length();
    if (kaCopyBlocks(in.handle(), out.handle(), length) != length) {
        kaErrorShow(nullptr);
        out.kill();
        return false;
    }
    out.close();
    return true;
}

bool downloadProjectFile(const char* dest, const char* url)
{
    CDownDlg dialog(nullptr);
    dialog.fetchOneFile(url, dest);
    INT_PTR result = dialog.DoModal();
    if (result != IDOK && result != IDCANCEL) showLauncherMessage(nullptr, "Can not open the progress dialog.");
    return result == IDOK;
}
