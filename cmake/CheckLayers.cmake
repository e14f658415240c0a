cmake_policy(SET CMP0057 NEW)
# Fails when a source file includes a header of a layer above its own. The layers, from the
# bottom: platform, services, ui, catalogues, preparation, client. restore stands on services and
# ui; the plug-ins on platform alone. tools/, tests/ and bench/ may use anything. A layer's win32/
# folder (the Win32 adapters in platform/, the real windows in ui/) keeps its layer's rule.
#   cmake -DROOT=<source tree> -P CheckLayers.cmake
set(allowed_platform platform)
set(allowed_services platform services)
set(allowed_ui platform ui)
set(allowed_catalogues platform services ui catalogues plugins/PluginDigests.h)
set(allowed_preparation platform services ui catalogues preparation plugins/PluginDigests.h)
set(allowed_client platform services ui catalogues preparation client plugins/PluginDigests.h)
set(allowed_restore platform services ui restore)
set(allowed_plugins platform plugins)
set(project_folders platform services ui catalogues preparation client restore plugins tools tests bench)

set(faults "")
foreach(layer platform services ui catalogues preparation client restore plugins)
  file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" folder "${header}")
      if(NOT folder IN_LIST project_folders OR header STREQUAL folder)
        continue()  # a system header or one beside the source
      endif()
      if(folder IN_LIST allowed_${layer} OR header IN_LIST allowed_${layer})
        continue()
      endif()
      file(RELATIVE_PATH rel "${ROOT}" "${source}")
      string(APPEND faults "  ${rel} includes ${header}\n")
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Upward dependencies between the subsystem folders:\n${faults}")
endif()
