// The process-wide error channel. A failing operation leaves its message here,
// enclosing layers add what they were doing and which file it concerned, and the
// user interface finally shows the composed text and clears the channel.
#pragma once
#include "stringa.h"

KA_API void kaErrorSetMsg(const char* text);
KA_API void kaErrorSetFile(const char* name);
KA_API void kaErrorSetTask(const char* task);
KA_API void kaErrorSetSystem(const char* fallback);
KA_API bool kaErrorSetCommonDlg(const char* fallback);
KA_API void kaErrorClear();
KA_API int kaErrorExist();
KA_API cStringA kaErrorGetMsg();
KA_API cStringA kaErrorGetMsgFull();
KA_API void kaErrorMute(bool on);
KA_API void kaErrorStop();
KA_API void kaErrorStart();
KA_API void* checkMemory(void* p);
