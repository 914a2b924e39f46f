#include "error.h"
#include "errorstate.h"
#include <windows.h>
#include <commdlg.h>

namespace {

// Task lines stop growing here, so a runaway chain of tasks cannot swamp the text.
const int kTaskLimit = 300;
const int kFileField = 260;

struct Channel {
    int stopCount = 0;
    char fileName[kFileField] = {};
    bool mute = false;
    cStringA task;
    cStringA message;
    cStringA mutedMessage;
};

Channel& channel()
{
    static Channel c;
    return c;
}

bool stopped() { return channel().stopCount > 0; }

cStringA& currentSlot()
{
    Channel& c = channel();
    return c.mute ? c.mutedMessage : c.message;
}

cStringA contextLine(const char* label, const char* value)
{
    cStringA line("\n");
    line << label << " : " << value;
    return line;
}

struct CommonDlgText {
    DWORD code;
    const char* text;
};

const CommonDlgText kCommonDlgTexts[] = {
    {0x0001, "The lStructSize member of a structure for the corresponding common dialog box is invalid."},
    {0x0002, "The common dialog box procedure failed during initialization."},
    {0x0003, "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the corresponding common dialog box, but the application failed to provide a corresponding template."},
    {0x0004, "The ENABLETEMPLATE flag was specified in the Flags member of a structure for the corresponding common dialog box, but the application failed to provide a corresponding instance handle."},
    {0x0005, "The common dialog box procedure failed to load a specified string."},
    {0x0006, "The common dialog box procedure failed to find a specified resource."},
    {0x0007, "The common dialog box procedure failed to load a specified resource."},
    {0x0008, "The common dialog box procedure failed to lock a specified resource."},
    {0x0009, "The common dialog box procedure was unable to allocate memory for internal structures."},
    {0x000A, "The common dialog box procedure was unable to lock the memory associated with a handle."},
    {0x000B, "The ENABLEHOOK flag was specified in the Flags member of a structure for the corresponding common dialog box, but the application failed to provide a pointer to a corresponding hook function."},
    {0x000C, "The RegisterWindowMessage function returned an error code when it was called by the common dialog box procedure."},
    {0x1000, "Error codes for the Print common dialog box."},
    {0x1001, "The PrintDlg function failed to load the required resources."},
    {0x1002, "The PrintDlg function failed to parse the strings in the [devices] section of the WIN.INI file."},
    {0x1003, "The PD_RETURNDEFAULT flag was specified in the Flags member of the PRINTDLG structure, but the hDevMode or hDevNames member was nonzero."},
    {0x1004, "The PrintDlg function failed to load the device driver for the specified printer."},
    {0x1005, "The printer driver failed to initialize a DEVMODE structure. (This error code applies only to printer drivers written for Windows versions 3.0 and later.)"},
    {0x1006, "The PrintDlg function failed during initialization, and there is no more specific extended error code to describe the failure. This is the generic default error code for the function."},
    {0x1007, "No printer drivers were found."},
    {0x1008, "A default printer does not exist."},
    {0x1009, "The data in the DEVMODE and DEVNAMES structures describes two different printers."},
    {0x100A, "The PrintDlg function failed when it attempted to create an information context."},
    {0x100B, "The [devices] section of the WIN.INI file did not contain an entry for the requested printer."},
    {0x100C, "An application called the PrintDlg function with the DN_DEFAULTPRN flag specified in the wDefault member of the DEVNAMES structure, but the printer described by the other structure members did not match the current default printer. (This error happens when an application stores the DEVNAMES structure and the user changes the default printer by using Control Panel.)"},
    {0x2000, "Error codes for the Font common dialog box."},
    {0x2001, "No fonts exist."},
    {0x2002, "The size specified in the nSizeMax member of the CHOOSEFONT structure is less than the size specified in the nSizeMin member."},
    {0x3000, "Error codes for the Open and Save As common dialog boxes."},
    {0x3001, "An attempt to subclass a list box failed because insufficient memory was available."},
    {0x3002, "A filename is invalid."},
    {0x3003, "The buffer for a filename is too small. (This buffer is pointed to by the lpstrFile member of the structure for a common dialog box.)"},
    {0x4000, "Error codes for the Find and Replace common dialog boxes."},
    {0x4001, "A member in a structure for the corresponding common dialog box points to an invalid buffer."},
    {0x5000, "Error codes for the Color common dialog box."},
    {0xFFFF, "The common dialog box procedure's call to the DialogBox function failed."},
};

const char* commonDlgText(DWORD code, const char* fallback)
{
    for (const CommonDlgText& entry : kCommonDlgTexts)
        if (entry.code == code) return entry.text;
    return fallback;
}

}  // namespace

void kaErrorSetMsg(const char* text)
{
    if (stopped()) return;
    Channel& c = channel();
    c.task.setBlank();
    c.fileName[0] = 0;
    currentSlot().set(text);
}

void kaErrorSetFile(const char* name)
{
    if (stopped()) return;
    char* field = channel().fileName;
    // A name too long for the field is cut, never split inside a double-byte character.
    strCopyN(field, name, kFileField - 1);
    strRemoveInterim(field, kFileField - 1);
}

void kaErrorSetTask(const char* task)
{
    if (stopped()) return;
    Channel& c = channel();
    if (c.task.length() < kTaskLimit) {
        cStringA block;
        if (task) block << contextLine("하던 일", task);
        if (c.fileName[0]) block << contextLine("서류명", c.fileName);
        if (block.hasContent()) c.task = block + c.task;
    }
    c.fileName[0] = 0;
}

void kaErrorSetSystem(const char* fallback)
{
    DWORD code = GetLastError();
    if (stopped()) return;
    char text[260];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                             0, text, sizeof text, nullptr);
    kaErrorSetMsg(n ? text : fallback);
}

bool kaErrorSetCommonDlg(const char* fallback)
{
    if (stopped()) return false;
    DWORD code = CommDlgExtendedError();
    if (code == 0) return false;
    kaErrorSetMsg(commonDlgText(code, fallback));
    return true;
}

void kaErrorClear()
{
    if (stopped()) return;
    Channel& c = channel();
    c.task.setBlank();
    c.fileName[0] = 0;
    c.message.setBlank();
    c.mutedMessage.setBlank();
}

int kaErrorExist() { return currentSlot().hasContent() ? 1 : 0; }

cStringA kaErrorGetMsg()
{
    kaErrorSetTask(nullptr);
    return currentSlot();
}

cStringA kaErrorGetMsgFull()
{
    kaErrorSetTask(nullptr);
    Channel& c = channel();
    return c.message + c.task;
}

void kaErrorMute(bool on)
{
    kaErrorClear();
    channel().mute = on;
}

bool kaErrorChannelMuted() { return channel().mute; }

void kaErrorStop() { ++channel().stopCount; }

void kaErrorStart()
{
    if (channel().stopCount > 0) --channel().stopCount;
}

void* checkMemory(void* p)
{
    if (!p) kaErrorSetSystem("No memory");
    return p;
}
