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
#include <new>
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
            if (c == '\\') text += "\\\\";
            else if (c == '\n') text += "\\n";
            else if (c == '\r') text += "\\r";
            else if (c == '\t') text += "\\t";
            else text += c;
        }
        text += '\n';
    }
    void add(const char* key, const char* value) { add(key, std::string(value ? value : "(null)")); }
    void add(const char* key, long long value) { add(key, std::to_string(value)); }

    // Written beside and moved into place: the test never reads half a report.
    bool save(const char* path) const
    {
        std::string partial = std::string(path) + ".part";
        HANDLE f = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        BOOL ok = WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
        CloseHandle(f);
        return ok && MoveFileExA(partial.c_str(), path, MOVEFILE_REPLACE_EXISTING);
    }

private:
    std::string text;
};

std::string hex(const void* p)
{
    char buf[32];
    snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(p)));
    return buf;
}

// Raw blocks crossing the boundary both ways: the program's allocator serves
// the module, and a block the program allocated is freed by the module.
void memory(Report& r)
{
    unsigned char* p = static_cast<unsigned char*>(ka_malloc(100));
    if (!p) return r.add("malloc", "null");
    for (int i = 0; i < 100; ++i) p[i] = static_cast<unsigned char>(i * 7);
    unsigned char* q = static_cast<unsigned char*>(ka_realloc(p, 50000));
    if (!q) {
        ka_free(p);
        return r.add("malloc", "realloc null");
    }
    int kept = 0;
    while (kept < 100 && q[kept] == static_cast<unsigned char>(kept * 7)) ++kept;
    ka_free(q);
    unsigned char* z = static_cast<unsigned char*>(ka_calloc(10, 8));
    int zero = 0;
    while (z && zero < 80 && z[zero] == 0) ++zero;
    ka_free(z);
    ka_free(nullptr);
    r.add("malloc", "realloc kept " + std::to_string(kept) + ", calloc zero " + std::to_string(zero));

    char* dup = strDuplicate("copied by the program");
    r.add("strdup", dup);
    ka_free(dup);

    // new and delete of a library object go through the program's cBase operators.
    cStringA* heap = new cStringA("on the program's heap");
    r.add("new", heap ? heap->getPtr() : "null");
    delete heap;
}

// The string's record is shared by copies and replaced on change; the module
// reads it through its own view of the layout.
void strings(Report& r)
{
    cStringA a("Orrel");
    cStringA b = a + " module";
    b << ' ' << 42 << " " << static_cast<__int64>(-9000000000LL) << '/' << static_cast<long>(-7);
    r.add("concat", b.getPtr());
    r.add("length", b.length());
    cStringA c(b);
    const cStringData* shared = kaLayoutRecord(c);
    std::string before = kaLayoutRecord(b) == shared ? "shared refs " + std::to_string(shared->refs) : "own";
    c.toUpper();
    const cStringData* own = kaLayoutRecord(b);
    r.add("copy", std::string(b.getPtr()) + "|" + c.getPtr());
    r.add("record", before + ", after a change " + (kaLayoutRecord(c) == own ? "shared" : "own") + " refs " +
                        std::to_string(own->refs) + " length " + std::to_string(own->length) +
                        (own->text == b.getPtr() ? " text" : " elsewhere"));
    cStringA n;
    n.set(static_cast<unsigned long>(4000000000UL));
    cStringA sum = 12 + cStringA(":") + n;
    r.add("number", sum.getPtr());
    r.add("format", cStringA(formatDoubleToStr(1234567.891, 2, kaFormatThousands)).getPtr());
    long day = 20240229;
    r.add("format_date", formatValueToStr(&day, 5, 0, 0).getPtr());
    cStringA blank;
    r.add("blank", std::string(blank.getPtr() ? "text" : "null") + (blank.isBlank() ? " blank" : " filled"));
}

void arrays(Report& r)
{
    cArrayInt ints;
    ints.append(5);
    ints.append(3);
    ints.append(9);
    ints.insert(0, 7);
    ints.sort(kaSortAscending);
    std::string seen;
    for (int i = 0; i < ints.count(); ++i) seen += std::to_string(ints[i]) + ",";
    seen += " find 9 at " + std::to_string(ints.find(9)) + ", [-1] " + std::to_string(ints[-1]);
    r.add("ints", seen);

    cArrayStr texts;
    texts.append("pear", 2);
    texts.append("Apple", 1);
    texts.append(nullptr, 3);
    texts.append("fig", 4);
    texts.sort(kaSortAscending);
    seen.clear();
    for (int i = 0; i < texts.count(); ++i)
        seen += std::string(texts[i] ? texts[i] : "(null)") + ":" + std::to_string(texts.getValue(i)) + ",";
    seen += " find fig at " + std::to_string(texts.find("fig"));
    r.add("texts", seen);
}

// Items made by the program's append, walked by the header's inline walker.
void lists(Report& r)
{
    static const char* names[] = {"one", "two", "three", "four"};
    cLL list;
    list.append(const_cast<char*>(names[1]));
    list.append(const_cast<char*>(names[3]));
    list.insert(0, const_cast<char*>(names[0]));
    list.insert(2, const_cast<char*>(names[2]));
    list.remove(3);
    std::string seen;
    for (int i = 0; i < list.count(); ++i) seen += std::string(static_cast<const char*>(list.data(i))) + ",";
    seen += " walked ";
    for (cLLWalker w(list); w.more();) seen += std::string(static_cast<const char*>(w.next())) + ",";
    seen += " data(9) " + std::string(list.data(9) ? "set" : "null");
    r.add("list", seen);
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

    const char* missing = "C:\\orrel-module-missing\\none.txt";
    void* h = kaOpenFileRead(missing);
    r.add("program_error_handle", h ? "open" : "null");
    if (h) kaCloseFile(h);
    r.add("program_error", kaErrorGetMsgFull().getPtr());
    kaErrorClear();
    r.add("program_error_cleared", kaErrorExist());
}

void globals(Report& r)
{
    r.add("instance", hex(kaGetInstance()));
    r.add("exe", hex(GetModuleHandleA(nullptr)));
    r.add("app_name", QueryAppName());
    HWND top = QueryAppTopWindow();
    r.add("top_window", static_cast<long long>(reinterpret_cast<UINT_PTR>(top)));
    char caption[260] = "";
    if (top) GetWindowTextA(top, caption, sizeof caption);
    r.add("top_caption", caption);
}

void xml(Report& r)
{
    cXML doc("kestrine");
    bool ok = doc.parse("<?xml version='1.0' encoding='euc-kr' ?>\n<kestrine>\n"
                        "  <header dllpath='http://example.com/v/' basedlls=\"a.dll; b &amp; c.dll\"/>\n"
                        "</kestrine>");
    cXMLElement* root = doc.getDocumentElement();
    cXMLElement* header = root ? root->findChildElement("header") : nullptr;
    cStringA dllpath, basedlls;
    std::string seen = std::string(ok ? "parsed " : "failed ") + (root ? root->getName() : "(none)");
    if (header) {
        header->findAttr("dllpath", dllpath);
        header->findAttr("basedlls", basedlls);
        seen += " attrs " + std::to_string(header->getAttrCount()) + " dllpath " + dllpath.getPtr() +
                " basedlls " + basedlls.getPtr();
    }
    r.add("xml", seen);

    cXML bad;
    bool badParsed = bad.parse("<a x=1/>");
    r.add("xml_bad", std::string(badParsed ? "parsed " : "failed ") + bad.getErrorString());

    cXML made("root");
    cXMLElement* item = made.getDocumentElement()->addElement("item");
    if (item) item->addAttr("k", "a\"b");
    r.add("xml_written", made.toString().getPtr());
}

// Objects the program constructs in space the module reserved: a program that
// thought one larger would write past it.
template <class T>
bool fits()
{
    const unsigned char fill = 0xA5;
    struct Guarded {
        unsigned char before[32];
        unsigned char object[sizeof(T)];
        unsigned char after[32];
    } g;
    memset(&g, fill, sizeof g);
    T* object = ::new (g.object) T;
    object->~T();
    for (unsigned char b : g.after)
        if (b != fill) return false;
    for (unsigned char b : g.before)
        if (b != fill) return false;
    return true;
}

void guards(Report& r)
{
    std::string bad;
#define KA_FITS(c) \
    if (!fits<c>()) bad += #c " ";
    KA_FITS(cStringA) KA_FITS(cStringW) KA_FITS(cArrayInt) KA_FITS(cArrayStr) KA_FITS(cArrayTag) KA_FITS(cLL)
    KA_FITS(cTagItem) KA_FITS(cError) KA_FITS(cXML) KA_FITS(cXMLElement) KA_FITS(cNoti) KA_FITS(cFile)
    KA_FITS(cFileName) KA_FITS(cDate) KA_FITS(cTimestamp) KA_FITS(cToken) KA_FITS(cParser)
#undef KA_FITS
    r.add("guards", bad.empty() ? "ok" : "overrun " + bad);

    // The virtual table the program's constructor installs, called from here.
    cNoti noti;
    cNoti* base = &noti;
    base->post(nullptr, 1);
    r.add("virtual", std::to_string(noti.send(nullptr, 1)) + " posted " + std::to_string(noti.posted));
}

void layoutLine(const char* text, void* context)
{
    static_cast<Report*>(context)->add("layout", text);
}

void work(HMODULE self)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    if (n < 4 || n >= MAX_PATH) return;
    strcpy(path + n - 4, ".txt");

    Report r;
    r.add("bits", static_cast<long long>(sizeof(void*) * 8));
    globals(r);
    memory(r);
    strings(r);
    arrays(r);
    lists(r);
    xml(r);
    guards(r);
    kaLayoutTable(layoutLine, &r);
    errors(r);
    r.add("end", "complete");
    r.save(path);
}

DWORD WINAPI run(void* self)
{
    work(static_cast<HMODULE>(self));
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
