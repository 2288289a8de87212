#pragma once

// Gives the memory freed after a large passing picture (the banner's sharp
// layers, read only while the banner paints) back to the system. The C
// library keeps large freed blocks for later by default, which would leave
// a 4K board's private memory a few MiB higher for good. Does nothing where
// the system's allocator gives such blocks back by itself.
void returnFreedMemory();
