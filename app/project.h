// The project file and the pipeline that opens a project: fetch it, read it
// (decoding it when it is stored encoded), follow its redirections, then bring
// the viewer's libraries into place.
#pragma once
#include "ka.h"

// The caller passes empty strings. On true either redirection is filled (maybe
// with an empty text) or dllpath and basedlls hold what the header gives; on
// false the error channel says why.
bool readProjectFile(const char* text, cStringA& redirection, cStringA& dllpath, cStringA& basedlls);
bool readRedirection(cXMLElement* root, cStringA& redirection);
bool readHeader(cXMLElement* root, cStringA& dllpath, cStringA& basedlls);

// On true, first and the viewer program path are set and the caller may launch;
// on false the user has been told why.
bool openProject(const char* location, cStringA& first);
