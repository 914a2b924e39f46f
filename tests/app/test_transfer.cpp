#include <winsock2.h>
#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include <thread>
#include "apptest.h"
#include "fetch.h"
#include "transfer.h"

namespace {

// A loopback server that answers every request the same way, counting them;
// an empty answer means it accepts and never says anything.
class StuckServer {
public:
    explicit StuckServer(std::string answer) : m_answer(std::move(answer))
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_listener, 16);
        int size = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~StuckServer()
    {
        closesocket(m_listener);
        m_thread.join();
        for (SOCKET s : m_open) closesocket(s);
        for (std::thread& t : m_clients) t.join();
        WSACleanup();
    }
    std::string url(const char* path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    int requests() const { return m_requests; }

private:
    void serve()
    {
        for (;;) {
            SOCKET client = accept(m_listener, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            m_open.push_back(client);
            m_clients.emplace_back([this, client] { answer(client); });
        }
    }

    // Every request on a kept-alive connection gets the same answer.
    void answer(SOCKET client)
    {
        char request[4096];
        while (recv(client, request, sizeof request, 0) > 0) {
            ++m_requests;
            if (!m_answer.empty()) send(client, m_answer.data(), static_cast<int>(m_answer.size()), 0);
        }
    }

    std::string m_answer;
    SOCKET m_listener;
    int m_port = 0;
    std::atomic<int> m_requests{0};
    std::vector<SOCKET> m_open;
    std::vector<std::thread> m_clients;
    std::thread m_thread;
};

// The window the worker posts its events to, and a message loop that waits for
// one of them; false when it has not come within the limit.
class Events {
public:
    Events() : m_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~Events() { DestroyWindow(m_window); }
    HWND window() const { return m_window; }
    bool waitFor(TransferEvent event, DWORD limit = 20000)
    {
        for (DWORD start = GetTickCount();;) {
            MSG m;
            while (PeekMessageA(&m, m_window, WM_TRANSFER, WM_TRANSFER, PM_REMOVE))
                if (m.wParam == event) return true;
            DWORD spent = GetTickCount() - start;
            if (spent >= limit) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, limit - spent, QS_POSTMESSAGE);
        }
    }

private:
    HWND m_window;
};

struct SideFile {
    ScratchFolder folder;
    cFile file;
    cFileName name;
    SideFile() { EXPECT_TRUE(createUniqueFile(file, name, folder.path().c_str(), ".part")); }
};

TEST(Transfer, ASilentServerTimesOutWhetherItSendsNothingOrOnlyTheHeaders)
{
    const char* answers[] = {"", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"};
    for (const char* answer : answers) {
        SCOPED_TRACE(answer);
        StuckServer server(answer);
        SideFile side;
        CTransfer transfer;
        Events events;
        DWORD start = GetTickCount();
        ASSERT_TRUE(transfer.start("test", server.url("/p.orp").c_str(), side.file.handle(), events.window(), 1000));
        ASSERT_TRUE(events.waitFor(transferEnded));
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(transfer.outcome().end, TransferEnd::timedOut);
        EXPECT_GE(elapsed, 900u);
        EXPECT_LT(elapsed, 5000u);
        EXPECT_EQ(text(transferMessage(transfer.outcome(), "U")), "The server did not answer in time.\r\nU");
    }
}

TEST(Transfer, CancelEndsAtOnceWhileTheServerIsStuckMidBody)
{
    StuckServer server("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nsome bytes");
    SideFile side;
    CTransfer transfer;
    Events events;
    ASSERT_TRUE(transfer.start("test", server.url("/x.dll").c_str(), side.file.handle(), events.window()));
    // The headers are in: the worker now waits for the rest of the body, which never comes.
    ASSERT_TRUE(events.waitFor(transferBegun));
    DWORD before = GetTickCount();
    transfer.cancel();
    EXPECT_LT(GetTickCount() - before, 100u);
    EXPECT_TRUE(transfer.ended());
    EXPECT_EQ(transfer.outcome().end, TransferEnd::cancelled);
    // The window thread may now close and delete the file: the worker is done with it.
    side.file.kill();
    EXPECT_FALSE(kaIsFile(side.name));
}

TEST(Transfer, RedirectionsToItselfEndAfterTheLimitWithTheirOwnMessage)
{
    StuckServer server("HTTP/1.1 302 Found\r\nLocation: /loop.dll\r\nContent-Length: 0\r\n\r\n");
    SideFile side;
    CTransfer transfer;
    Events events;
    ASSERT_TRUE(transfer.start("test", server.url("/loop.dll").c_str(), side.file.handle(), events.window()));
    ASSERT_TRUE(events.waitFor(transferEnded));
    EXPECT_EQ(transfer.outcome().end, TransferEnd::tooManyRedirects);
    EXPECT_EQ(server.requests(), CTransfer::kMaxRedirections + 1);
    EXPECT_EQ(text(transferMessage(transfer.outcome(), "U")), "The server redirected the file more than 16 times.\r\nU");
    EXPECT_EQ(side.file.length(), 0);
}

TEST(FetchedFiles, OnlyAWindowsImagePassesForALibrary)
{
    std::string image(0x200, '\0');
    image[0] = 'M', image[1] = 'Z', image[0x3C] = char(0x80);
    image.replace(0x80, 4, std::string("PE\0\0", 4));
    struct Case {
        std::string bytes;
        bool image;
    } cases[] = {
        {image, true},
        {"<html><body>Please sign in</body></html>", false},
        {image.substr(0, 0x82), false},                        // the signature is cut off
        {std::string(image).replace(0x3C, 4, "\xFF\xFF\xFF\x7F"), false},  // points past the file
    };
    ScratchFolder folder;
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        folder.write("f.bin", cases[i].bytes);
        cFile file;
        ASSERT_TRUE(file.openRead(folder.file("f.bin").c_str()));
        EXPECT_EQ(isWindowsImage(file.handle()), cases[i].image);
    }
    EXPECT_TRUE(namesProgramImage("sub/Viewer.EXE"));
    EXPECT_TRUE(namesProgramImage("a.Dll"));
    EXPECT_FALSE(namesProgramImage("data.dll.txt"));
}

TEST(FetchedFiles, UniqueFilesNeverTakeOverAnExistingOne)
{
    ScratchFolder folder;
    cFile first, second;
    cFileName firstName, secondName;
    ASSERT_TRUE(createUniqueFile(first, firstName, folder.path().c_str(), ".tmp"));
    ASSERT_TRUE(first.write("mine", 4));
    // Within the same tick: the next number, never the same file.
    ASSERT_TRUE(createUniqueFile(second, secondName, folder.path().c_str(), ".tmp"));
    EXPECT_STRNE(firstName, secondName);
    EXPECT_EQ(first.length(), 4);
    EXPECT_EQ(strSearch(secondName, ".tmp", -1), strLen(secondName) - 4);

    // A side file held by a running download survives the sweep; one left by a killed launcher goes.
    folder.write("123.part", "left behind");
    cFile held;
    cFileName heldName;
    ASSERT_TRUE(createUniqueFile(held, heldName, folder.path().c_str(), kSideExtension));
    deleteStaleSideFiles(folder.path().c_str());
    EXPECT_FALSE(kaIsFile(folder.file("123.part").c_str()));
    EXPECT_TRUE(kaIsFile(heldName));
}

}  // namespace
