#include "DescriptionJson.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace vyrhost
{
std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
    {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
        {
            out += '\\';
            out += c;
        }
        else if (u < 0x20)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        }
        else
            out += c;
    }
    return out + "\"";
}

std::string jsonNumber(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace
{
std::string text(const char* s)
{
    return jsonString(s != nullptr ? s : "");
}

std::string versionNumbers(const std::uint16_t numbers[4])
{
    std::ostringstream out;
    out << "[" << numbers[0] << ", " << numbers[1] << ", " << numbers[2] << ", " << numbers[3] << "]";
    return out.str();
}
} // namespace

std::string describeAsJson(const PluginLibrary& library, const PluginInstance& instance)
{
    const auto& d = library.getDescription();
    const auto& v = d.versionResource;
    std::ostringstream out;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%x", static_cast<unsigned>(d.packageVersion));

    out << "{\n";
    out << "  \"interfaceVersion\": " << library.getAbiVersion() << ",\n";
    out << "  \"effectIdentifier\": " << text(d.effectIdentifier) << ",\n";
    out << "  \"manufacturerName\": " << text(d.manufacturerName) << ",\n";
    out << "  \"effectNames\": [" << text(d.effectNames[0]) << ", " << text(d.effectNames[1]) << "],\n";
    out << "  \"packageNames\": [" << text(d.packageNames[0]) << ", " << text(d.packageNames[1]) << "],\n";
    out << "  \"packageVersion\": " << d.packageVersion << ",\n";
    out << "  \"packageVersionHex\": " << jsonString(hex) << ",\n";
    out << "  \"category\": " << d.category << ",\n";
    out << "  \"configurations\": [";
    for (int i = 0; i < d.numConfigurations; ++i)
    {
        const auto& c = d.configurations[i];
        out << (i > 0 ? ", " : "") << "{\"inputs\": " << c.inputs << ", \"outputs\": " << c.outputs
            << ", \"nativeId\": " << jsonString(fourCharCode(c.nativeId)) << "}";
    }
    out << "],\n";
    out << "  \"manufacturerId\": " << jsonString(fourCharCode(d.manufacturerId)) << ",\n";
    out << "  \"productId\": " << jsonString(fourCharCode(d.productId)) << ",\n";
    out << "  \"canBypass\": " << (d.canBypass != 0 ? "true" : "false") << ",\n";
    out << "  \"latencySamples\": " << d.latencySamples << ",\n";
    out << "  \"versionResource\": {\"companyName\": " << text(v.companyName)
        << ", \"fileDescription\": " << text(v.fileDescription) << ", \"fileVersion\": " << text(v.fileVersion)
        << ", \"productName\": " << text(v.productName) << ", \"productVersion\": " << text(v.productVersion)
        << ", \"fileVersionNumber\": " << versionNumbers(v.fileVersionNumber)
        << ", \"productVersionNumber\": " << versionNumbers(v.productVersionNumber) << "},\n";
    out << "  \"instanceLatencySamples\": " << instance.getFactory().getLatencySamples(instance.getHandle())
        << ",\n";
    out << "  \"parameters\": [";
    for (int i = 0; i < instance.getNumParameters(); ++i)
    {
        VyrParameterInfo info {};
        if (! instance.getParameterInfo(i, info))
            continue;
        out << (i > 0 ? "," : "") << "\n    {\"index\": " << i << ", \"id\": " << jsonString(info.id)
            << ", \"name\": " << jsonString(info.name) << ", \"default\": " << jsonNumber(info.defaultValue)
            << ", \"minimum\": " << jsonNumber(info.minimumValue)
            << ", \"maximum\": " << jsonNumber(info.maximumValue)
            << ", \"value\": " << jsonNumber(instance.getParameterValue(i))
            << ", \"text\": " << jsonString(instance.getParameterText(i))
            << ", \"isBypass\": " << (info.isBypass != 0 ? "true" : "false") << "}";
    }
    out << "\n  ]\n}\n";
    return out.str();
}
} // namespace vyrhost
