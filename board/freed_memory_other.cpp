#include "freed_memory.h"

void returnFreedMemory()
{
}
