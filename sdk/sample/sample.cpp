// A module for orrel.exe. Once it is loaded into the running program, it greets
// the user through the program's own error display: the text is built with the
// program's string class, the caption is the application name the program
// registered, and the channel it fills is the program's.
#include <windows.h>
#include "ka.h"

namespace {

DWORD WINAPI greet(void* self)
{
    {
        cStringA text("Hello from a module inside ");
        text << QueryAppName() << " (" << static_cast<int>(sizeof(void*) * 8) << "-bit).";
        cXML doc;
        if (doc.parse("<sample greeting='loaded'/>")) {
            cStringA value;
            doc.getDocumentElement()->findAttr("greeting", value);
            text << "\r\nThe program's XML reader says: " << value;
        }
        kaErrorSetMsg(text);
        kaErrorShow(nullptr);  // owned by the program's top window
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(self), 0);
}

}  // namespace

// Little may be done under the loader lock: the work runs on a thread of its own.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(self);
    HANDLE thread = CreateThread(nullptr, 0, greet, self, 0, nullptr);
    if (!thread) return FALSE;
    CloseHandle(thread);
    return TRUE;
}
