#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size)
{
    quarry::fuzz::openAndExercise(data, size);
    return 0;
}
