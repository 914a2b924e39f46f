// A path or URL held as text, with the library's path rules: both separators are
// read, joined names use backslashes, relative names and URLs use slashes, and a
// split asks the file system whether the whole path is an existing folder.
#pragma once
#include "core/stringa.h"
#include "data/datetime.h"
#include "path.h"

#pragma pack(push, 1)

class KA_API cFileName : public cVar {
public:
    cFileName();
    cFileName(const cFileName& other);
    cFileName(const char* text);
    // 0: the per-user application-data root with a trailing backslash; other values: blank.
    cFileName(int which);

    cFileName& operator=(const char* text);
    cFileName& operator=(const cStringA& text);
    cFileName& operator=(const cFileName& other);
    void set(const char* text);
    operator const char*() const;
    char operator[](int i) const;
    int length() const;
    void setBlank();
    bool isBlank() const;
    bool hasContent() const;

    bool isFile() const;
    bool isDirectory() const;
    // kaIsFile without leaving a message for a missing file.
    int isExistNoError() const;
    __int64 size() const;
    // 1: last access, 2: last write, other: creation; local time.
    cTimestamp getTime(int which) const;

    bool isExtension(const char* ext) const;
    void changeExtension(const char* ext);
    cStringA getDir() const;
    cStringA getNameExt() const;
    cStringA getNameOnly() const;
    cStringA getExtension() const;
    cStringA getParent() const;
    // 0 scheme, 1 host, 2 path, 3 name, 4 extension, 5 path+name+extension, 6 name+extension.
    cStringA getUrlSplit(int part) const;

    void fullWithDir(const char* name, const char* dir, const char* defExt);
    void fullWithFriend(const char* name, const char* friendPath, const char* defExt);
    void urlFullWithFriend(const char* name, const char* friendPath);
    void makeRelative(const char* base);
    bool equals(const char* other) const;
    void forDos();
    void forUnix();

    // File-system operations on the named file or folder.
    int kill();
    int rename(const char* newName);
    int isOpened() const;
    bool makeFolder();
    cStringA copyAsUniqueName(const char* folder);
    void getTempName(const char* ext);
    void getTempName(const char* folder, const char* ext);

private:
    void split(cStringA& out, int part) const;
    bool makeFolder2(const char* path);

    cStringA text;
};

#pragma pack(pop)
