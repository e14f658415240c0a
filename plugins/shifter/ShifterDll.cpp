// shifter.dll: the gear-shifter plug-in of the host.
extern "C" int __stdcall DllMain(void*, unsigned long, void*) { return 1; }
