// The floor for the launcher's downloads: the same WinINet flags and the same
// 10240-byte blocks, into files, with no window and no other work.
//   floor_download DESTFOLDER URL...
#include <windows.h>
#include <wininet.h>
#include <cstdio>
#include <cstring>

namespace {

bool fetch(HINTERNET net, const char* url, const char* path)
{
    HINTERNET file = InternetOpenUrlA(net, url, nullptr, 0,
                                       INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 1);
    if (!file) return false;
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = out != INVALID_HANDLE_VALUE;
    char block[10240];
    DWORD got = 0, written = 0;
    while (ok && InternetReadFile(file, block, sizeof block, &got) && got > 0)
        ok = WriteFile(out, block, got, &written, nullptr) && written == got;
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    InternetCloseHandle(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: floor_download DESTFOLDER URL...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        // A handle per file, as the launcher opens one per fetch.
        HINTERNET net = InternetOpenA("floor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        const char* name = strrchr(argv[i], '/');
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\%s", argv[1], name ? name + 1 : argv[i]);
        bool ok = net && fetch(net, argv[i], path);
        if (net) InternetCloseHandle(net);
        if (!ok) {
            fprintf(stderr, "floor_download: %s failed\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
