// Reads generated project-like documents of 10 KiB, 1 MiB and 10 MiB, then each
// document file named on the command line, with the library's reader and with
// the system's own pull reader (XmlLite) on the same text, in one process.
// Prints one line per document:
//   xml <bytes> <library ms per read> <system ms per read>
//   xmlfile <file name> <bytes> <library ms per read> <system ms per read>
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include "ka.h"

namespace {

std::string makeDocument(size_t size)
{
    std::string doc = "<?xml version='1.0' ?>\n<kestrine>\n"
                      "<header dllpath=\"http://example.test/viewer/\" basedlls=\"core.dll;orlviewer.exe\"/>\n"
                      "<items>\n";
    char line[256];
    for (int i = 0; doc.size() < size - 32; ++i) {
        snprintf(line, sizeof line,
                 "<item id=\"%d\" name=\"part %d\" kind='plain'>Text of item %d &amp; its notes</item>\n", i, i,
                 i);
        doc += line;
    }
    doc += "</items>\n</kestrine>\n";
    return doc;
}

double nowMs()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Repeats a read until half a second has passed and gives the time of one read.
template <typename Read>
double timeOf(Read read)
{
    int runs = 0;
    double start = nowMs(), elapsed = 0;
    do {
        if (!read()) return -1;
        ++runs;
        elapsed = nowMs() - start;
    } while (elapsed < 500);
    return elapsed / runs;
}

bool readWithLibrary(const std::string& text)
{
    cXML doc("kestrine");
    return doc.parse(text.c_str());
}

// The toolchain has no import library for XmlLite: take its one entry point by hand.
using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

CreateReader systemReaderFactory()
{
    HMODULE dll = LoadLibraryA("xmllite.dll");
    return dll ? reinterpret_cast<CreateReader>(reinterpret_cast<void*>(GetProcAddress(dll, "CreateXmlReader")))
               : nullptr;
}

// Every node and attribute is visited and its name and value fetched, which is
// the least a reader must do to give what the library's tree holds.
bool readWithSystem(const std::string& text)
{
    static CreateReader create = systemReaderFactory();
    if (!create) return false;
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(text.data()), static_cast<UINT>(text.size()));
    IXmlReader* reader = nullptr;
    bool ok = stream && SUCCEEDED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr)) &&
              SUCCEEDED(reader->SetInput(stream));
    XmlNodeType type;
    HRESULT hr = S_OK;
    const WCHAR* s = nullptr;
    while (ok && (hr = reader->Read(&type)) == S_OK) {
        reader->GetLocalName(&s, nullptr);
        reader->GetValue(&s, nullptr);
        for (HRESULT a = reader->MoveToFirstAttribute(); a == S_OK; a = reader->MoveToNextAttribute()) {
            reader->GetLocalName(&s, nullptr);
            reader->GetValue(&s, nullptr);
        }
    }
    if (reader) reader->Release();
    if (stream) stream->Release();
    return ok && hr == S_FALSE;
}

// A file's text from its document element on: what comes before it (a DOCTYPE
// with declarations inside, several comments) is more than either reader takes
// by default, and the body is what the comparison is about.
std::string documentElement(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string s = text.str();
    for (size_t at = s.find('<'); at != std::string::npos; at = s.find('<', at + 1)) {
        if (at + 1 < s.size() && s[at + 1] != '?' && s[at + 1] != '!') return s.substr(at);
        if (s.compare(at, 4, "<!--") == 0) at = s.find("-->", at);
        if (at == std::string::npos) break;
    }
    return std::string();
}

const char* baseName(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    return name;
}

}  // namespace

int main(int argc, char** argv)
{
    CoInitialize(nullptr);
    const size_t sizes[] = {10 * 1024, 1024 * 1024, 10 * 1024 * 1024};
    int status = 0;
    for (size_t size : sizes) {
        std::string text = makeDocument(size);
        double library = timeOf([&] { return readWithLibrary(text); });
        double system = timeOf([&] { return readWithSystem(text); });
        if (library < 0 || system < 0) status = 1;
        printf("xml %u %.4f %.4f\n", static_cast<unsigned>(text.size()), library, system);
        fflush(stdout);
    }
    for (int i = 1; i < argc; ++i) {
        std::string text = documentElement(argv[i]);
        double library = text.empty() ? -1 : timeOf([&] { return readWithLibrary(text); });
        double system = text.empty() ? -1 : timeOf([&] { return readWithSystem(text); });
        if (library < 0 || system < 0) status = 1;
        printf("xmlfile %s %u %.4f %.4f\n", baseName(argv[i]), static_cast<unsigned>(text.size()), library, system);
        fflush(stdout);
    }
    CoUninitialize();
    return status;
}
