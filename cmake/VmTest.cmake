# GoogleTest from the sources that Debian's googletest package installs; they build for both the
# native compiler and mingw.
set(VM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${VM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Its sources are not ours to mend: they build without warnings, also where CI makes them errors.
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE -w)
endforeach()
include(GoogleTest)

# vm_with_event_server(<variable> <fixture folder> <command...>): sets the variable to a command
# line that runs the command while tools/event_server serves the fixture folder (the address in
# VM_EVENT_SERVER); on Windows the server runs under Wine.
function(vm_with_event_server variable fixtures)
  set(windows "")
  if(VM_WINDOWS)
    set(windows --windows)
  endif()
  set(${variable} bash ${CMAKE_SOURCE_DIR}/scripts/with-event-server ${windows} ${fixtures}
      -- ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vm_event_server> -- ${ARGN} PARENT_SCOPE)
endfunction()

# vm_test(<name> SOURCES ... LIBS ... [TIMEOUT s] [EVENT_SERVER <fixture folder>])
# Natively each case is its own CTest test; under Wine each program is one test, since starting
# a Wine process per case would cost more than the cases themselves. With EVENT_SERVER the
# program runs while tools/event_server serves the fixture folder (address in VM_EVENT_SERVER).
function(vm_test name)
  cmake_parse_arguments(T "" "TIMEOUT;EVENT_SERVER" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} vm_test_support GTest::gmock)
  if(T_EVENT_SERVER)
    vm_with_event_server(command ${T_EVENT_SERVER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
    add_test(NAME ${name} COMMAND ${command})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "event-server")
  elseif(VM_WINDOWS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS wine)
  else()
    gtest_discover_tests(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS native DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

# vm_add_manifest(<target> <program name>): embeds the application manifest as resource 1. It
# names the build's architecture: x86 for the deliverables, amd64 in the x86_64 test build (where
# the x86 common controls would not load).
function(vm_add_manifest target program)
  set(VM_PROGRAM ${program})
  set(VM_MANIFEST_ARCH x86)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(VM_MANIFEST_ARCH amd64)
  endif()
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${program}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/app.manifest.in ${manifest} @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${program}_manifest.rc)
  file(WRITE ${rc} "1 24 \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${rc})
endfunction()
