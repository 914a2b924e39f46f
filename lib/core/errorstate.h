// What the error display needs to know of the channel beyond its public face.
// Internal to the library: not exported.
#pragma once

bool kaErrorChannelMuted();
