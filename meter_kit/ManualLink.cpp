#include "ManualLink.h"

#include "DocumentOpener.h"
#include "RegistryStore.h"

namespace vyrkit
{
juce::String readManualPath()
{
    return vyrplatform::RegistryStore::getValue("HKEY_CURRENT_USER\\Software\\Korvanta\\VYRZUZIRE21\\manualpath", {});
}

ManualLink::ManualLink()
    : file(vyrplatform::DocumentOpener::fileForPath(readManualPath()))
{
}

void ManualLink::open() const
{
    vyrplatform::DocumentOpener::open(file);
}
} // namespace vyrkit
