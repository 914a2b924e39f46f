// File access over the system's handles. Each opening function is one fixed
// combination of access, sharing and creation rule; positions are 64-bit.
// Failures leave a message and the file name in the error channel; a failed read
// or write is shown to the user at once.
#pragma once
#include "core/stringa.h"

KA_API void* kaCreateFile(const char* name);
KA_API void* kaCreateFileOver(const char* name);
KA_API void* kaOpenFileRead(const char* name);
KA_API void* kaOpenFileWrite_ShareRead(const char* name);
KA_API void* kaOpenFileNoShare(const char* name);
KA_API void* kaOpenFileReadNoShare(const char* name);

KA_API bool kaWrite(void* handle, const void* data, unsigned long count);
KA_API unsigned long kaRead(void* handle, void* data, unsigned long count);
KA_API bool kaCloseFile(void* handle);
// method 0: from the start, 1: from the current position, 2: from the end.
KA_API __int64 kaSetFilePointer(void* handle, __int64 position, int method);
KA_API __int64 kaGetFilePointer(void* handle);
KA_API __int64 kaGetFileLength(void* handle);
KA_API int kaSetFileLength(void* handle, __int64 length);

#pragma pack(push, 1)

// One open file and the name it was opened with. The object owns its handle:
// copying would leave two owners closing one handle, so it cannot be copied, and
// opening again closes the handle held before.
class KA_API cFile : public cVar {
public:
    cFile();
    cFile(const cFile&) = delete;
    cFile& operator=(const cFile&) = delete;
    ~cFile();

    bool create(const char* name);
    bool createOver(const char* name);
    bool openRead(const char* name);
    bool openWrite_ShareRead(const char* name);
    bool openNoShare(const char* name);
    bool openReadNoShare(const char* name);
    virtual void close();

    bool write(const void* data, unsigned long count);
    unsigned long read(void* data, unsigned long count);
    __int64 length();
    void setLength(__int64 length);
    void* handle() const;
    __int64 setPos(__int64 position);
    __int64 setPos(__int64 position, int method);
    __int64 getPos() const;
    // Closes the file and deletes it, leaving no message behind.
    void kill();
    cStringA filename() const;
    bool lock(__int64 offset, __int64 length);
    bool unlock(__int64 offset, __int64 length);

private:
    bool open(const char* name, void* (*opener)(const char*));
    bool hasHandle() const;
    // LockFile or UnlockFile on the range, the position kept.
    typedef int(__stdcall* RangeCall)(void*, unsigned long, unsigned long, unsigned long, unsigned long);
    bool rangeCall(RangeCall call, __int64 offset, __int64 length, const char* failure);

    void* fileHandle;
    cStringA fileName;
};

#pragma pack(pop)
