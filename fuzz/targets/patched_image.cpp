#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size)
{
    quarry::fuzz::patchAndExercise(data, size);
    return 0;
}
