#include "settings.h"
#include "launcherdlg.h"
#include "sizes.h"

const char kSettingsKey[] = "Software\\Kestrine\\Orrel";

namespace {

const char kConnection[] = "Connection";
const char kUseProxy[] = "UseProxyServer";
const char kProxyAddress[] = "ProxyServerAddress";
const char kProxyPort[] = "ProxyServerPort";
const char kBypassLocal[] = "ProxyBypassLocal";

cStringA connectionValue(const char* name)
{
    return registryRead(kSettingsKey, kConnection, name, "");
}

void writeConnectionValue(const char* name, const char* text)
{
    registryWrite(kSettingsKey, kConnection, name, text);
}

const char* flagText(bool on) { return on ? "1" : "0"; }

// The key that holds the letters: "Recent Files" when it exists, else the
// settings key itself; empty when not even the settings key can be opened, and
// then the list is neither read nor written anywhere.
cStringA recentKey(cRegistry& registry)
{
    cStringA own(kSettingsKey);
    cStringA sub = own + "\\Recent Files";
    if (registry.selectKey(sub)) return sub;
    if (registry.selectKey(own)) return own;
    return cStringA();
}

// "A" to "Z".
void letterName(char (&name)[2], int index)
{
    name[0] = static_cast<char>('A' + index);
    name[1] = 0;
}

}  // namespace

void loadRecentUrls(CStringArray& list)
{
    cRegistry registry;
    if (!registry.open(HKEY_CURRENT_USER, false)) return;
    cStringA key = recentKey(registry);
    if (key.isBlank()) return;
    for (int i = 0; i < kStoredRecentUrls; i++) {
        char name[2];
        letterName(name, i);
        // Non-text values and empty texts read as empty; they and texts too long for a
        // location are skipped.
        cStringA url = registry.readString(key, name);
        if (url.hasContent() && url.length() < kLocationSize) list.Add(url);
    }
}

void saveRecentUrls(const CStringArray& list)
{
    cRegistry registry;
    if (!registry.open(HKEY_CURRENT_USER, true)) return;
    cStringA key = recentKey(registry);
    if (key.isBlank()) return;
    for (int i = 0; i < kStoredRecentUrls; i++) {
        char name[2];
        letterName(name, i);
        // Letters beyond the list are blanked, not deleted, so an older, longer list cannot come back.
        registry.writeString(key, name, i < list.GetSize() ? static_cast<const char*>(list.GetAt(i)) : "");
    }
}

void addRecentUrl(CStringArray& list, const char* url)
{
    for (int i = list.GetSize() - 1; i >= 0; i--) {
        if (strCompare(list.GetAt(i), url) == 0) list.RemoveAt(i);
    }
    list.InsertAt(0, url);
    if (list.GetSize() > kMaxRecentUrls) list.RemoveAt(list.GetSize() - 1);
}

void CLauncherDlg::loadProxySettings()
{
    m_useProxy = connectionValue(kUseProxy).toInt() != 0;
    m_proxyAddress = connectionValue(kProxyAddress);
    m_proxyPort = connectionValue(kProxyPort).toInt();
    m_bypassLocal = connectionValue(kBypassLocal).toInt() != 0;
}

void CLauncherDlg::saveProxySettings()
{
    writeConnectionValue(kUseProxy, flagText(m_useProxy));
    writeConnectionValue(kProxyAddress, m_proxyAddress);
    cStringA port;
    port.set(m_proxyPort);
    writeConnectionValue(kProxyPort, port);
    writeConnectionValue(kBypassLocal, flagText(m_bypassLocal));
}
