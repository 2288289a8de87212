#include "freed_memory.h"

#include <malloc.h>

void returnFreedMemory()
{
    malloc_trim(0);
}
