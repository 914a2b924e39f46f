// The version of the running Windows system, as named numbers.
#pragma once
#include "core/arraytag.h"

#pragma pack(push, 1)

class KA_API cSystemInfo : public cVar {
public:
    cSystemInfo();
    // out receives "MajorVersion" and "MinorVersion"; it stays empty when the system
    // refuses to tell.
    void getOSVersion(cArrayTag& out);
};

#pragma pack(pop)
