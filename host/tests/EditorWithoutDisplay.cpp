// A child program for the tests: loads a plug-in library, creates an instance
// and asks for its editor, then prints the result code of openEditor. Run with
// a DISPLAY that no server holds, it shows how the binding answers when there is
// no window system.
#include "PluginLibrary.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::string error;
    auto library = vyrhost::PluginLibrary::load(argv[1], error);
    if (library == nullptr)
    {
        std::cerr << error << "\n";
        return 1;
    }
    auto instance = vyrhost::PluginInstance::create(*library, 0, 44100.0, {});
    if (instance == nullptr)
        return 1;
    int width = 0, height = 0;
    std::cout << instance->openEditor(0x1234, width, height) << "\n";
    instance.reset();
    std::cout << library->shutdown() << " " << library->canUnloadNow() << "\n";
    return 0;
}
