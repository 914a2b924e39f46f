#include "project.h"
#include <climits>
#include "downdlg.h"
#include "fetch.h"
#include "libraries.h"
#include "message.h"
#include "sizes.h"

namespace {

// A project that redirects to itself, or a ring of them, must end somewhere.
const int kMaxRedirections = 16;
// An encoded file carries an eight-byte seed: anything shorter was never encoded.
const int kEncodedMinimum = 8;
const char* const kRootName = "kestrine";

// What the project phase hands to the library phase.
struct ProjectInfo {
    cStringA dllpath;
    cStringA basedlls;
    bool local = true;  // the kind of the location fetched last
};

void showWithLocation(const char* reason, const char* location)
{
    cStringA text(reason);
    text << "\r\n" << location;
    showLauncherMessage(nullptr, text);
}

// Locations live in path-sized buffers; one that does not fit is refused whole.
bool fitsLocation(const char* location, const char* reason)
{
    if (strLen(location) < kLocationSize) return true;
    showWithLocation(reason, location);
    return false;
}

bool fetchProject(const char* location, const char* temp)
{
    return isLocalLocation(location) ? copyProjectFile(temp, location) : downloadProjectFile(temp, location);
}

// The whole file with a zero byte after it; null with the reason pending.
char* readWhole(cFile& file, int& length)
{
    __int64 size = file.length();
    if (size >= INT_MAX) {
        kaErrorSetMsg("The project file is too large.");
        return nullptr;
    }
    char* buffer = static_cast<char*>(checkMemory(ka_malloc(static_cast<unsigned int>(size) + 1)));
    if (!buffer) return nullptr;
    length = static_cast<int>(file.read(buffer, static_cast<unsigned long>(size)));
    if (length != size) {  // a short read leaves its message pending
        ka_free(buffer);
        return nullptr;
    }
    buffer[length] = 0;
    return buffer;
}

// Reads the fetched file and deletes it; null (and the user told why) when it
// cannot be read.
char* takeFetchedFile(cFileName& temp, int& length)
{
    cFile file;
    char* buffer = file.openRead(temp) ? readWhole(file, length) : nullptr;
    file.close();
    if (!buffer) kaErrorShow(nullptr);
    temp.kill();
    return buffer;
}

// Reads the text as it stands, then once more decoded. On failure the message
// of the last reading is shown.
bool readProjectText(char* buffer, int length, cStringA& redirection, cStringA& dllpath, cStringA& basedlls)
{
    if (readProjectFile(buffer, redirection, dllpath, basedlls)) return true;
    if (length >= kEncodedMinimum) {
        decodeFile(buffer, length);
        if (readProjectFile(buffer, redirection, dllpath, basedlls)) return true;
    }
    kaErrorShow(nullptr);
    return false;
}

// Claims the temporary file of a pass: the name of the pass before when it is
// still free, else a new one. Another launcher's file is never taken over.
bool claimTempFile(cFileName& temp)
{
    cFile file;
    if (temp.hasContent() && file.create(temp)) return true;
    kaErrorClear();
    if (createUniqueFile(file, temp, getTempFolder(), ".tmp")) return true;
    kaErrorShow(nullptr);
    return false;
}

// One pass: fetch the location into temp, read it, delete it.
bool readProjectAt(const char* location, cFileName& temp, cStringA& redirection, ProjectInfo& project)
{
    project.local = isLocalLocation(location);
    if (!fetchProject(location, temp)) {
        temp.kill();
        return false;
    }
    int length = 0;
    char* buffer = takeFetchedFile(temp, length);
    if (!buffer) return false;
    bool ok = readProjectText(buffer, length, redirection, project.dllpath, project.basedlls);
    ka_free(buffer);
    return ok;
}

// Fetches and reads the project, following its redirections.
bool readProject(const char* location, ProjectInfo& project)
{
    if (!fitsLocation(location, "The project location is too long.")) return false;
    cStringA current(location);
    cFileName temp;
    for (int redirections = 0;; ++redirections) {
        cStringA redirection;
        project.dllpath.setBlank();
        project.basedlls.setBlank();
        if (!claimTempFile(temp) || !readProjectAt(current, temp, redirection, project)) return false;
        if (redirection.isBlank()) return true;
        if (redirections == kMaxRedirections) {
            cStringA reason("The project was redirected more than ");
            reason << kMaxRedirections << " times.";
            showWithLocation(reason, current);
            return false;
        }
        if (!fitsLocation(redirection, "The project redirects to a location that is too long.")) return false;
        current = redirection;
    }
}

// The libraries come from a server: the progress dialog brings them.
bool fetchLibraries(const ProjectInfo& project, cStringA& first)
{
    CDownDlg dialog(nullptr);
    dialog.m_dllPath = project.dllpath;
    dialog.m_baseDlls = project.basedlls;
    INT_PTR result = dialog.DoModal();
    if (result == IDCANCEL) return false;
    if (result != IDOK) {
        showLauncherMessage(nullptr, "Can not open the progress dialog.");
        return false;
    }
    first = dialog.m_firstDll;
    return true;
}

}  // namespace

bool readRedirection(cXMLElement* root, cStringA& redirection)
{
    cXMLElement* element = root->findChildElement("redirection");
    if (!element) return false;
    redirection = element->getContent();
    return true;
}

bool readHeader(cXMLElement* root, cStringA& dllpath, cStringA& basedlls)
{
    cXMLElement* header = root->findChildElement("header");
    if (!header) {
        kaErrorSetMsg("Can not find header element.");
        return false;
    }
    cStringA value;
    if (header->findAttr("dllpath", value)) dllpath = value;
    if (header->findAttr("basedlls", value)) basedlls = value;
    return true;
}

bool readProjectFile(const char* text, cStringA& redirection, cStringA& dllpath, cStringA& basedlls)
{
    cXML document(kRootName);
    if (!document.parse(text)) {
        kaErrorSetMsg(document.getErrorString());
        return false;
    }
    cXMLElement* root = document.getDocumentElement();
    if (!strIsEqual(root->getName(), kRootName)) {
        kaErrorSetMsg("Invalid project file.");
        return false;
    }
    if (readRedirection(root, redirection)) return true;
    return readHeader(root, dllpath, basedlls);
}

bool openProject(const char* location, cStringA& first)
{
    ProjectInfo project;
    if (!readProject(location, project)) return false;
    if (project.dllpath.hasContent()) return fetchLibraries(project, first);
    if (!project.local) {
        showLauncherMessage(nullptr, "Can't find the DLL path in the project file.");
        return false;
    }
    return useLocalLibraries(project.basedlls, first);
}
