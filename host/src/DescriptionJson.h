#pragma once

#include "PluginLibrary.h"

#include <string>

namespace vyrhost
{
// The library's description and the host parameters of one instance (id,
// name, default, range, value and text) as a JSON object.
std::string describeAsJson(const PluginLibrary& library, const PluginInstance& instance);

std::string jsonString(const std::string& text);
std::string jsonNumber(float value);
} // namespace vyrhost
