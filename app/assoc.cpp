#include "assoc.h"
#include "launcherdlg.h"
#include "settings.h"
#include "state.h"

const char kProjectExtension[] = ".orp";
const char kProjectProgId[] = "Kestrine.orp";

namespace {

const char kUserClasses[] = "Software\\Classes\\";

// The default value of a class key as Windows' merged view shows it: the
// user's class first, the machine's after.
cStringA classDefault(const char* key)
{
    cRegistry registry;
    if (registry.open(HKEY_CURRENT_USER, false)) {
        cStringA value = registry.readString(kUserClasses + cStringA(key), "");
        if (value.hasContent()) return value;
    }
    if (!registry.open(HKEY_CLASSES_ROOT, false)) return cStringA();
    return registry.readString(key, "");
}

void writeClassDefault(cRegistry& registry, const char* key, const char* value)
{
    cStringA path = kUserClasses + cStringA(key);
    if (registry.createPath(path)) registry.writeString(path, "", value);
}

}  // namespace

cStringA openCommand(const char* programPath)
{
    // Quoted, so that a program folder with blanks cannot be read as a shorter
    // program name followed by arguments. %1 stays unquoted: the launcher takes
    // its whole command line as one location, blanks and all.
    return cStringA("\"") + programPath + "\" %1";
}

cStringA getApplicationPath(const char* extension)
{
    cStringA progId = classDefault(extension);
    if (progId.isBlank()) return cStringA();
    cStringA command = classDefault(progId + "\\shell\\Open\\command");

    cToken words(command, " ");
    const char* first = words.next();
    if (!first) return cStringA();
    if (command[0] != '"') return cStringA(first);
    // "path with blanks" args: the text between the first two quotes.
    cToken quoted(command, "\"");
    quoted.next();
    return cStringA(quoted.next());
}

void CLauncherDlg::registerFileType()
{
    cRegistry registry;
    if (registry.open(HKEY_CURRENT_USER, true)) {
        writeClassDefault(registry, kProjectExtension, kProjectProgId);
        writeClassDefault(registry, cStringA(kProjectProgId) + "\\shell\\open\\command",
                          openCommand(theLauncher.programPath));
        registry.close();
    }
    registryWrite(kSettingsKey, "", "", theLauncher.programPath);
}
