// The launcher's per-user folder tree, <application data>\Kestrine\Orrel\...,
// and the one thing that ever empties part of it.
#pragma once
#include "ka.h"

// Makes the tree where it is missing and records its paths; the first step that
// fails gives false and leaves the later paths empty.
bool makeBaseFolders();

// out = parent\name\ once that folder exists; false when a file stands there or
// the folder cannot be made.
bool makeSubFolder(cStringA& out, const char* parent, const char* name);

// Deletes the plain files of the cache folder; its sub-folders stay. Does
// nothing before the tree was made.
void deleteCaches();
