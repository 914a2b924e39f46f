// A demo library for the demo viewer. The same source builds each library; the
// build names it (ORL_LIBRARY_TEXT) so the viewer can show which one it loaded.
#include <windows.h>

extern "C" __declspec(dllexport) const char* orlDescribe()
{
    return ORL_LIBRARY_TEXT;
}
