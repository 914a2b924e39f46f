// The viewer's libraries as a project lists them: which entry is the viewer
// program, which entries may be fetched into the viewer folder, and the walk
// over the list with its caching rule.
#pragma once
#include "ka.h"

// The viewer program is the library whose name says so, in any case.
bool isViewerProgram(const char* entry);

// Why the entries of basedlls may not be fetched from base into folder, naming
// the first entry that fails; empty when every entry may be.
cStringA checkLibraryList(const char* basedlls, const char* folder, const char* base);

// Brings one library to dest; false stops the walk (the fetcher has told the user).
class CLibraryFetcher {
public:
    virtual ~CLibraryFetcher() = default;
    virtual bool fetch(const char* dest, const char* entry) = 0;
};

// Walks the list in order: the first entry goes to first, an entry naming the
// viewer sets the viewer program path to its place in folder, and only a library
// with no file of its name in folder is fetched. Stops at the first failed fetch.
bool placeLibraries(const char* basedlls, const char* folder, cStringA& first, CLibraryFetcher& fetcher);

// For a project without a library folder: the libraries lie beside the launcher.
// Shows its own message on failure.
bool useLocalLibraries(const char* basedlls, cStringA& first);
