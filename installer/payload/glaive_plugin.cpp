// The plug-in module the installer carries and writes out byte for byte. The installer never looks
// inside it; this module only identifies itself to whoever loads it.
#if defined(_WIN32)
#include <windows.h>
#define GLAIVE_EXPORT extern "C" __declspec(dllexport)
#else
#define GLAIVE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

GLAIVE_EXPORT const char* glaive_plugin_name()
{
    return "Glaive";
}

GLAIVE_EXPORT const char* glaive_plugin_version()
{
    return "1.0.39";
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
#endif
