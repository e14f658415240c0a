/* The host's side of the plug-in interface: PluginCaller.cpp is compiled in Microsoft's C++ ABI
   (clang, i686-pc-windows-msvc, freestanding) as the host is, x86_64-pc-windows-msvc in the
   tests' x86_64 build, and the simulated host reaches it through these C functions, whose
   calling convention both compilers share. Plain C types only. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Told of every call a plug-in makes of the host's object: its slot, its numbers in order and
   its text (null when it has none). */
typedef void(__cdecl* SimHostRecordProc)(void* context, int slot, const double* numbers, int count,
                                         const char* text);

/* The ABI the calls cross, for reports: "Microsoft's x86 C++ ABI (__thiscall)" or its x64 one. */
const char* __cdecl simhost_caller_abi(void);

/* The host's object handed to the plug-ins; one for the process, reporting to record. */
void* __cdecl simhost_game_api(SimHostRecordProc record, void* context);

/* Calls QVR_CreatePlugin (create) with the host's object; the plug-in object, or null. */
void* __cdecl simhost_create_plugin(void* create, void* api);

/* Each calls one operation of a plug-in object by its slot. Truth values are passed with junk
   above their low byte, as Microsoft's compiler may leave them. */
const char* __cdecl simhost_plugin_title(void* plugin);
void __cdecl simhost_draw_menu(void* plugin);
void __cdecl simhost_draw_results(void* plugin);
void __cdecl simhost_menu_keys(void* plugin, int unused, int up, int down, int left, int right, int select);
void __cdecl simhost_tick_menu(void* plugin, int value);
void __cdecl simhost_stage_start(void* plugin, int stage, const char* name, int falseStart);
void __cdecl simhost_stage_end(void* plugin, float checkpoint1, float checkpoint2, float finish, const char* name);
void __cdecl simhost_checkpoint(void* plugin, float time, int checkpoint, const char* name);
/* Destroys the object as the host does: delete through its virtual destructor (slot 0, flags 1). */
void __cdecl simhost_destroy_plugin(void* plugin);

#ifdef __cplusplus
}
#endif
