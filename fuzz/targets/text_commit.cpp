#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size)
{
    quarry::fuzz::encodeAndCommitTexts(data, size);
    return 0;
}
