// Finds the library's resource bundle the way the library does and prints where it found it
// and the "Background/Normal" colour it read there. The bundle tests copy this program into
// made-up install layouts.

#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/resource_bundle_accessor.h"

#include <cstdio>

int main()
{
    const auto& bundle = tarnkit::moduleBundle();
    std::printf("%s\n%s\n", bundle.bundlePath().c_str(),
                qPrintable(tarnkit::ColorResource::backgroundNormal().value().name()));
    return 0;
}
