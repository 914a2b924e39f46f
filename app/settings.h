// The launcher's settings in the current user's registry: the proxy settings
// (members of the main dialog, defined in settings.cpp) and the list of recently
// opened project locations. Registry failures are silent: a value that cannot be
// read gives its default, a write that fails is lost.
#pragma once
#include "ka.h"
#include "framework/fwstringarray.h"

// Below HKEY_CURRENT_USER; its default value holds the launcher's program path.
extern const char kSettingsKey[];

// The recent list in memory holds this many locations, the registry the first
// kStoredRecentUrls of them under the letters A to Z.
const int kMaxRecentUrls = 60;
const int kStoredRecentUrls = 26;

void loadRecentUrls(CStringArray& list);
void saveRecentUrls(const CStringArray& list);
// Moves url to the front of the list (case-sensitive match), keeping at most kMaxRecentUrls.
void addRecentUrl(CStringArray& list, const char* url);
