// The plug-in's one exported symbol: a host loads the library and asks it for the principal,
// which is the effect's Audio Unit factory.
#include "extension/AudioUnitViewController.h"

#include "platform/audiounit/ExtensionEntry.h"

au::ViewController* auExtensionCreatePrincipal()
{
    return new zindle::AudioUnitViewController;
}
