#include "SubmapTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size)
{
    quarry::fuzz::loadOneSubmap(data, size);
    return 0;
}
