#include "file.h"
#include "blockcopy.h"
#include <windows.h>
#include "core/error.h"
#include "sys/errorshow.h"
#include "fsutil.h"
#include "globals.h"
#include "path.h"
#include "pathparts.h"

namespace {

const int kFileTypeId = 81;

const DWORD kShareNone = 0;
const DWORD kShareRead = FILE_SHARE_READ;
const DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
const DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;
const DWORD kOpenAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;

void* fromSystem(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }

// The one folder level a new file may need. A bare name has no folder, so this
// fails with createFolder's message.
bool folderReady(const char* name)
{
    PathParts p;
    splitPath(name, p);
    if (p.cut) return refuseLongPath(name);
    PathText dir;
    dir.add(p.drive).add(p.dir);
    return kaIsDir(dir.text()) || createFolder(dir.text());
}

void* createNamed(const char* name, DWORD disposition)
{
    if (!name || !name[0]) {
        kaErrorSetMsg("File name is not specified.");
        return nullptr;
    }
    if (!checkPathFits(name) || !folderReady(name)) return nullptr;
    HANDLE h = CreateFileA(name, kReadWrite, kShareNone, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        kaErrorSetSystem("Can't create the file.");
        kaErrorSetFile(name);
    }
    return fromSystem(h);
}

// emptyMessage: whether an empty name is reported (the no-share opens stay silent).
void* openExisting(const char* name, DWORD access, DWORD share, bool emptyMessage)
{
    if (!name || !name[0]) {
        if (emptyMessage) kaErrorSetMsg("File name is not specified.");
        return nullptr;
    }
    if (!checkPathFits(name)) return nullptr;
    HANDLE h = CreateFileA(name, access, share, nullptr, OPEN_EXISTING, kOpenAttributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        kaErrorSetSystem("Cannot open the file.");
        kaErrorSetFile(name);
    }
    return fromSystem(h);
}

void showNow() { kaErrorShow(QueryAppTopWindow()); }

void splitWords(__int64 value, DWORD& low, DWORD& high)
{
    low = static_cast<DWORD>(value & 0xFFFFFFFF);
    high = static_cast<DWORD>(static_cast<unsigned __int64>(value) >> 32);
}

}  // namespace

void* kaCreateFile(const char* name) { return createNamed(name, CREATE_NEW); }

void* kaCreateFileOver(const char* name) { return createNamed(name, CREATE_ALWAYS); }

void* kaOpenFileRead(const char* name) { return openExisting(name, GENERIC_READ, kShareReadWrite, true); }

void* kaOpenFileWrite_ShareRead(const char* name) { return openExisting(name, kReadWrite, kShareRead, true); }

void* kaOpenFileNoShare(const char* name) { return openExisting(name, kReadWrite, kShareNone, false); }

void* kaOpenFileReadNoShare(const char* name) { return openExisting(name, GENERIC_READ, kShareNone, false); }

bool kaWrite(void* handle, const void* data, unsigned long count)
{
    __int64 start = kaGetFilePointer(handle);
    DWORD written = 0;
    if (WriteFile(handle, data, count, &written, nullptr)) {
        if (written == count) return true;
        kaErrorSetMsg("Failed to write.");
    } else {
        kaErrorSetSystem("Failed to write.");
    }
    kaSetFilePointer(handle, start, FILE_BEGIN);
    showNow();
    return false;
}

unsigned long kaRead(void* handle, void* data, unsigned long count)
{
    DWORD got = 0;
    if (!ReadFile(handle, data, count, &got, nullptr)) {
        kaErrorSetSystem("Failed to read.");
        showNow();
    } else if (got < count) {
        // The end of the file is an ordinary short read: noted, never shown.
        kaErrorSetMsg("Failed to read.");
    }
    return got;
}

bool kaCloseFile(void* handle)
{
    if (CloseHandle(handle)) return true;
    kaErrorSetSystem("Can't close the file");
    return false;
}

__int64 kaSetFilePointer(void* handle, __int64 position, int method)
{
    LARGE_INTEGER move, now;
    move.QuadPart = position;
    if (!SetFilePointerEx(handle, move, &now, static_cast<DWORD>(method))) return -1;
    return now.QuadPart;
}

__int64 kaGetFilePointer(void* handle) { return kaSetFilePointer(handle, 0, FILE_CURRENT); }

__int64 kaGetFileLength(void* handle)
{
    __int64 at = kaGetFilePointer(handle);
    __int64 length = kaSetFilePointer(handle, 0, FILE_END);
    kaSetFilePointer(handle, at, FILE_BEGIN);
    return length;
}

int kaSetFileLength(void* handle, __int64 length)
{
    __int64 at = kaGetFilePointer(handle);
    kaSetFilePointer(handle, length, FILE_BEGIN);
    int result = SetEndOfFile(handle);
    kaSetFilePointer(handle, at, FILE_BEGIN);
    return result;
}

// ---- cFile -------------------------------------------------------------------

cFile::cFile() : fileHandle(nullptr) { type = kFileTypeId; }

cFile::~cFile()
{
    if (fileHandle) kaCloseFile(fileHandle);
}

bool cFile::open(const char* name, void* (*opener)(const char*))
{
    close();
    fileName = withChar(name, '/', '\\');
    fileHandle = opener(fileName);
    return fileHandle != nullptr;
}

bool cFile::create(const char* name) { return open(name, kaCreateFile); }
bool cFile::createOver(const char* name) { return open(name, kaCreateFileOver); }
bool cFile::openRead(const char* name) { return open(name, kaOpenFileRead); }
bool cFile::openWrite_ShareRead(const char* name) { return open(name, kaOpenFileWrite_ShareRead); }
bool cFile::openNoShare(const char* name) { return open(name, kaOpenFileNoShare); }
bool cFile::openReadNoShare(const char* name) { return open(name, kaOpenFileReadNoShare); }

void cFile::close()
{
    if (!fileHandle) return;
    kaCloseFile(fileHandle);
    fileHandle = nullptr;
}

bool cFile::hasHandle() const
{
    if (fileHandle) return true;
    kaErrorSetMsg("File is not specified.");
    return false;
}

bool cFile::write(const void* data, unsigned long count) { return hasHandle() && kaWrite(fileHandle, data, count); }

unsigned long cFile::read(void* data, unsigned long count) { return hasHandle() ? kaRead(fileHandle, data, count) : 0; }

__int64 cFile::length() { return hasHandle() ? kaGetFileLength(fileHandle) : 0; }

void cFile::setLength(__int64 length)
{
    if (fileHandle) kaSetFileLength(fileHandle, length);
}

void* cFile::handle() const { return fileHandle; }

__int64 cFile::setPos(__int64 position) { return setPos(position, FILE_BEGIN); }

__int64 cFile::setPos(__int64 position, int method)
{
    return hasHandle() ? kaSetFilePointer(fileHandle, position, method) : 0;
}

__int64 cFile::getPos() const { return hasHandle() ? kaGetFilePointer(fileHandle) : 0; }

void cFile::kill()
{
    close();
    _DeleteFile(fileName);
}

cStringA cFile::filename() const { return fileName; }

bool cFile::rangeCall(RangeCall call, __int64 offset, __int64 length, const char* failure)
{
    if (!hasHandle()) return false;
    __int64 at = kaGetFilePointer(fileHandle);
    DWORD offLow, offHigh, lenLow, lenHigh;
    splitWords(offset, offLow, offHigh);
    splitWords(length, lenLow, lenHigh);
    bool ok = call(fileHandle, offLow, offHigh, lenLow, lenHigh);
    if (!ok) kaErrorSetSystem(failure);
    kaSetFilePointer(fileHandle, at, FILE_BEGIN);
    return ok;
}

bool cFile::lock(__int64 offset, __int64 length)
{
    return rangeCall(LockFile, offset, length, "Can not lock the region");
}

bool cFile::unlock(__int64 offset, __int64 length)
{
    return rangeCall(UnlockFile, offset, length, "Can not unlock the region");
}

__int64 kaCopyBlocks(void* in, void* out, __int64 length)
{
    char block[kaBlockSize];
    __int64 copied = 0;
    while (copied < length) {
        __int64 rest = length - copied;
        unsigned long want = rest < kaBlockSize ? static_cast<unsigned long>(rest) : kaBlockSize;
        unsigned long got = kaRead(in, block, want);
        if (got && !kaWrite(out, block, got)) return -1;
        copied += got;
        if (got < want) break;
    }
    return copied;
}
