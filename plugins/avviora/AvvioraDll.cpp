// avviora.dll: presets the host's menu car from the client's choice.
extern "C" int __stdcall DllMain(void*, unsigned long, void*) { return 1; }
