#include "fsutil.h"
#include "blockcopy.h"
#include <windows.h>
#include <cstring>
#include "core/error.h"
#include "core/handle.h"
#include "file.h"
#include "path.h"
#include "pathparts.h"

namespace {

const DWORD kFileMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;

// An entry name joined to its folder as plain text. The URL and mail-address
// rules of kaMakeFullName must not apply here: a file called 'a@b' inside the
// folder would otherwise be taken for 'a@b' in the current folder.
PathText inFolder(const char* folder, const char* name)
{
    PathText p;
    p.add(folder);
    if (p.length() && !isSeparator(p.text()[p.length() - 1])) p.add('\\');
    p.add(name);
    return p;
}

void listFolder(const char* folder, cArrayStr& out, bool folders)
{
    out.removeAll();
    char pattern[kPathMax];
    kaMakeFullName(pattern, "*.*", folder, nullptr);
    WIN32_FIND_DATAA entry;
    UniqueFind find(pattern[0] ? FindFirstFileA(pattern, &entry) : INVALID_HANDLE_VALUE);
    if (!find) return;
    do {
        DWORD attributes = entry.dwFileAttributes;
        bool isDir = attributes & FILE_ATTRIBUTE_DIRECTORY;
        if (folders ? isDir && strcmp(entry.cFileName, ".") && strcmp(entry.cFileName, "..")
                    : !isDir && (attributes == 0 || (attributes & kFileMask)))
            out.append(entry.cFileName);
    } while (FindNextFileA(find.get(), &entry));
}

// A junction or link is removed as itself; its target's contents are not ours to delete.
bool isLink(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool removeSubFolders(const char* path)
{
    cArrayStr subs;
    kaGetFolderList(path, subs);
    for (int i = 0; i < subs.count(); ++i) {
        PathText sub = inFolder(path, subs[i]);
        if (sub.overflowed()) return refuseLongPath(path);
        if (!kaRemoveDirectory(sub.text())) return false;
    }
    return true;
}

// One byte more than expected is asked for, so that a file that grew while it was
// copied is told as a change of size too.
bool copyBlocks(void* in, void* out, __int64 expected)
{
    __int64 copied = kaCopyBlocks(in, out, expected + 1);
    if (copied < 0) return false;
    if (copied != expected) {
        kaErrorSetMsg("Size of new file is different to the original.");
        return false;
    }
    return true;
}

bool copyOpened(const char* destination, const char* source)
{
    void* in = kaOpenFileRead(source);
    if (!in) return false;
    __int64 length = kaGetFileLength(in);
    void* out = kaCreateFile(destination);
    if (!out) {
        kaCloseFile(in);
        return false;
    }
    bool ok = copyBlocks(in, out, length);
    kaCloseFile(in);
    kaCloseFile(out);
    // The destination did not exist before (kaCreateFile makes only new files):
    // a half-written copy is removed rather than left under its name.
    if (!ok) _DeleteFile(destination);
    return ok;
}

bool deleteFailed(const char* name)
{
    kaErrorSetSystem("Can't delete the file.");
    kaErrorSetFile(name);
    return false;
}

// kaDeleteFile for a name the folder listing has just given. Its existence query
// costs as much as the delete itself, so it is made only once a delete has
// failed: a file that has gone since the listing, or is no longer a file, is
// still no failure.
void deleteListed(const char* name)
{
    if (DeleteFileA(name)) return;
    DWORD code = GetLastError();
    if (!existsQuietly(name)) return;
    SetLastError(code);
    deleteFailed(name);
}

}  // namespace

bool existsQuietly(const char* name)
{
    kaErrorStop();
    bool exists = kaIsFile(name);
    kaErrorStart();
    return exists;
}

bool createFolder(const char* path)
{
    if (!path || !path[0]) {
        kaErrorSetMsg("No path information for creating directory");
        return false;
    }
    char copy[kPathMax];
    if (!copyDosPath(copy, path)) return refuseLongPath(path);
    dropTrailingBackslash(copy);
    if (kaIsDir(copy)) return true;
    if (CreateDirectoryA(copy, nullptr)) return true;
    kaErrorSetSystem("Can not create a new folder.");
    return false;
}

bool kaDeleteFile(const char* name)
{
    if (!name || !name[0]) return true;
    if (!checkPathFits(name)) return false;
    if (!existsQuietly(name)) return true;
    return DeleteFileA(name) || deleteFailed(name);
}

void _DeleteFile(const char* name)
{
    kaErrorStop();
    if (name && pathFits(name)) DeleteFileA(name);
    kaErrorStart();
}

void kaDeleteFileAll(const char* folder)
{
    // No folder is not the current folder: nothing is deleted.
    if (!folder || !folder[0]) return;
    cArrayStr files;
    kaGetFileList(folder, files);
    PathText base = inFolder(folder, "");
    for (int i = files.count() - 1; i >= 0; --i) {
        PathText name = base;
        name.add(files[i]);
        if (name.overflowed())
            refuseLongPath(folder);
        else
            deleteListed(name.text());
    }
}

bool kaRemoveDirectory(const char* path)
{
    if (!path || !path[0]) return true;
    if (!checkPathFits(path)) return false;
    if (!kaIsDir(path)) return true;
    bool link = isLink(path);
    bool ok = link || removeSubFolders(path);
    if (ok && !link) kaDeleteFileAll(path);
    return (ok && RemoveDirectoryA(path)) || deleteFailed(path);
}

int kaRenameFile(const char* oldName, const char* newName)
{
    if (!oldName || !oldName[0] || !newName || !newName[0]) return 0;
    if (!pathFits(oldName) || !pathFits(newName))
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
    else if (MoveFileExA(oldName, newName, MOVEFILE_COPY_ALLOWED))
        return 1;
    DWORD code = GetLastError();
    cStringA text("Can't rename the file.");
    text << "\n" << oldName << "\n--> " << newName;
    SetLastError(code);  // composing the text must not lose the system's reason
    kaErrorSetSystem(text);
    return 0;
}

void kaGetFileList(const char* folder, cArrayStr& out) { listFolder(folder, out, false); }

void kaGetFolderList(const char* folder, cArrayStr& out) { listFolder(folder, out, true); }

bool kaCopyFile(const char* destination, const char* source)
{
    if (!destination || !destination[0] || !source || !source[0]) return false;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    bool ok = copyOpened(withChar(destination, '/', '\\'), withChar(source, '/', '\\'));
    if (!ok) kaErrorSetTask("Copy file");
    SetCursor(previous);
    return ok;
}
