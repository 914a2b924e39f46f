// An outside module: built against the program's import library alone, loaded
// into a running orrel.exe, it calls the library through the program's exports
// and writes what it saw to <its own path>.txt for the test to read. Only
// a module inside the program's process shares its state: loaded anywhere else
// it would find the program's imports unbound.
//
// The report is built without the library, so that a fault in what is checked
// cannot garble the account of it. Lines are "key=value", with \ n r t escaped.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "ka.h"
#include "layout.h"

namespace {

class Report {
public:
    void add(const char* key, const std::string& value)
    {
        text += key;
        text += '=';
        for (char c : value) {
            const char* escaped = c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : nullptr;
            text += escaped ? escaped : std::string(1, c);
        }
        text += '\n';
    }
    void add(const char* key, const char* value) { add(key, std::string(value ? value : "(null)")); }
    void add(const char* key, long long value) { add(key, std::to_string(value)); }

    // Written beside and moved into place: the test never reads half a report.
    void save(const char* path) const
    {
        std::string partial = std::string(path) + ".part";
        FILE* f = fopen(partial.c_str(), "wb");
        if (!f) return;
        bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
        if (fclose(f) == 0 && ok) MoveFileExA(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING);
    }

private:
    std::string text;
};

// Raw blocks crossing the boundary both ways: the program's allocator serves
// the module, and a block the program allocated is freed by the module.
void memory(Report& r)
{
    void* p = ka_malloc(100);
    if (p) memset(p, 7, 100);
    ka_free(p);
    r.add("malloc", p ? "block" : "null");

    char* dup = strDuplicate("copied by the program");
    r.add("strdup", dup);
    ka_free(dup);

    // new and delete of a library object go through the program's cBase operators.
    cStringA* heap = new cStringA("on the program's heap");
    r.add("new", heap ? heap->getPtr() : "null");
    delete heap;
}

void strings(Report& r)
{
    cStringA a("Orrel");
    cStringA b = a + " module";
    b << ' ' << 42 << " " << static_cast<__int64>(-9000000000LL) << '/' << static_cast<long>(-7);
    r.add("concat", b.getPtr());
    r.add("length", b.length());
    // The copy shares the record until it changes; the original must not.
    cStringA c(b);
    c.toUpper();
    r.add("copy", std::string(b.getPtr()) + "|" + c.getPtr());
    r.add("format", cStringA(formatDoubleToStr(1234567.891, 2, kaFormatThousands)).getPtr());
}

// An array, and a list whose items the program's append made, walked by the
// header's inline walker.
void containers(Report& r)
{
    cArrayInt ints;
    ints.append(5);
    ints.append(3);
    ints.insert(0, 7);
    ints.sort(kaSortAscending);
    std::string seen;
    for (int i = 0; i < ints.count(); ++i) seen += std::to_string(ints[i]) + ",";
    r.add("ints", seen + " find 7 at " + std::to_string(ints.find(7)));

    static const char* names[] = {"one", "two", "three"};
    cLL list;
    list.append(const_cast<char*>(names[1]));
    list.insert(0, const_cast<char*>(names[0]));
    list.append(const_cast<char*>(names[2]));
    seen = "walked ";
    for (cLLWalker w(list); w.more();) seen += std::string(static_cast<const char*>(w.next())) + ",";
    r.add("list", seen + " count " + std::to_string(list.count()));
}

// An error the module sets, read back through the channel and shown by the
// program's own display; then one that a failing program function sets.
void errors(Report& r)
{
    kaErrorClear();
    kaErrorSetMsg("Set by the module.");
    kaErrorSetFile("C:\\module\\input.orp");
    kaErrorSetTask("Module task");
    r.add("error_exist", kaErrorExist());
    r.add("error_msg", kaErrorGetMsg().getPtr());
    r.add("error_full", kaErrorGetMsgFull().getPtr());
    // The box is owned by the program's top window; the test reads and closes it.
    kaErrorShow(nullptr);
    r.add("error_after_show", kaErrorExist());

    void* h = kaOpenFileRead("C:\\orrel-module-missing\\none.txt");
    r.add("program_error_handle", h ? "open" : "null");
    if (h) kaCloseFile(h);
    r.add("program_error", kaErrorGetMsgFull().getPtr());
}

void globals(Report& r)
{
    r.add("instance_is_exe", kaGetInstance() == GetModuleHandleA(nullptr));
    r.add("app_name", QueryAppName());
    r.add("top_window", static_cast<long long>(reinterpret_cast<UINT_PTR>(QueryAppTopWindow())));
}

void xml(Report& r)
{
    cXML doc("kestrine");
    bool ok = doc.parse("<?xml version='1.0' encoding='euc-kr' ?>\n<kestrine>\n"
                        "  <header dllpath='http://example.com/v/' basedlls=\"a.dll; b &amp; c.dll\"/>\n"
                        "</kestrine>");
    cXMLElement* root = doc.getDocumentElement();
    cXMLElement* header = root ? root->findChildElement("header") : nullptr;
    cStringA basedlls;
    std::string seen = std::string(ok ? "parsed " : "failed ") + (root ? root->getName() : "(none)");
    if (header && header->findAttr("basedlls", basedlls))
        seen += " attrs " + std::to_string(header->getAttrCount()) + " basedlls " + basedlls.getPtr();
    r.add("xml", seen);
}

// The virtual table the program's constructor installs, called from here.
void virtuals(Report& r)
{
    cNoti noti;
    static_cast<cNoti*>(&noti)->post(nullptr, 1);
    r.add("virtual", std::to_string(noti.send(nullptr, 1)) + " posted " + std::to_string(noti.posted));
}

void layoutLine(const char* text, void* context) { static_cast<Report*>(context)->add("layout", text); }

DWORD WINAPI run(void* self)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(self), path, MAX_PATH);
    if (n >= 4 && n < MAX_PATH) {
        strcpy(path + n - 4, ".txt");
        Report r;
        r.add("bits", static_cast<long long>(sizeof(void*) * 8));
        globals(r);
        memory(r);
        strings(r);
        containers(r);
        xml(r);
        virtuals(r);
        kaLayoutTable(layoutLine, &r);
        errors(r);
        r.add("end", "complete");
        r.save(path);
    }
    // The module leaves the program as it found it.
    FreeLibraryAndExitThread(static_cast<HMODULE>(self), 0);
}

}  // namespace

// Work under the loader lock is limited; the checks run on a thread of their own.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(self);
    HANDLE thread = CreateThread(nullptr, 0, run, self, 0, nullptr);
    if (!thread) return FALSE;
    CloseHandle(thread);
    return TRUE;
}
