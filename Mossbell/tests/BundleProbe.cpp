// Finds the framework's resource bundle the way the framework does and prints where it found
// it. The bundle tests copy this program into made-up install layouts.

#include "Mossbell/resource_bundle_accessor.h"

#include <cstdio>

int main()
{
    std::printf("%s\n", mossbell::moduleBundle().bundlePath().c_str());
    return 0;
}
