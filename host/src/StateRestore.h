#pragma once

#include "PluginLibrary.h"

#include <string>

namespace vyrhost
{
// Restores the state saved in a directory (see StateFiles.h) into the
// instance, and makes sure that the plug-in took it. The binding applies what
// it can and says nothing of what it drops, so this refuses (false, with a
// one-line error):
// - a state that names another plug-in as its writer;
// - a "params" chunk that is not one (the binding drops it as a whole);
// - a "juce" chunk that the plug-in refused: one that left the instance as it
//   was although it is not what the plug-in saves for that state. Where the
//   chunk may just repeat the instance's present state, it is tried on a second
//   instance whose host parameters are moved away first: a chunk that the
//   plug-in takes sets something there.
// A state without a writer (written before vyrhost recorded it) is taken as
// this plug-in's. The instance is created from library at sampleRate for
// configurationIndex, which the second instance needs too.
bool restoreStateDirectory(const PluginLibrary& library, int configurationIndex, double sampleRate,
                           PluginInstance& instance, const std::string& directory, std::string& error);
} // namespace vyrhost
