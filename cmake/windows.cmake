# Settings shared by every Windows target: Unicode, Windows 10 headers, UTF-8 resource scripts.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
if(MINGW)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

# Tests built for Windows run under Wine in a private prefix under the build tree.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  set(VANTIX_WINE_ARCH win32)
else()
  set(VANTIX_WINE_ARCH win64)
endif()
set(VANTIX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_CROSSCOMPILING)
  set(VANTIX_WINE_RUN ${PROJECT_SOURCE_DIR}/tools/wine-run --prefix ${VANTIX_WINEPREFIX} --arch ${VANTIX_WINE_ARCH})
else()
  set(VANTIX_WINE_RUN "")
endif()

# GoogleTest for the Windows tests: Debian's sources when cross building, else an installed package.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# Runs `target` with `run` before it; tests of one build tree share the Wine session, so they
# run one at a time.
function(vantix_add_test_run name run target)
  add_test(NAME ${name} COMMAND ${run} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
    SKIP_RETURN_CODE 77
    RESOURCE_LOCK wineprefix
    FIXTURES_REQUIRED wine_session
    TIMEOUT 300)
endfunction()

# add_wine_test(NAME target [ARGS...]): runs a console test program (under Wine when cross
# built) in the build tree's prefix.
function(add_wine_test name target)
  vantix_add_test_run(${name} "${VANTIX_WINE_RUN}" ${target} ${ARGN})
endfunction()

# add_wine_test_at_144_dpi(NAME target [ARGS...]): the same in a second prefix whose display
# is scaled to 150%.
function(add_wine_test_at_144_dpi name target)
  if(CMAKE_CROSSCOMPILING)
    set(run ${PROJECT_SOURCE_DIR}/tools/wine-run --prefix ${VANTIX_WINEPREFIX}-144dpi --arch ${VANTIX_WINE_ARCH} --dpi 144)
  endif()
  vantix_add_test_run(${name} "${run}" ${target} ${ARGN})
endfunction()

if(CMAKE_CROSSCOMPILING)
  add_test(NAME wine_session_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run --prefix ${VANTIX_WINEPREFIX} --shutdown)
  add_test(NAME wine_session_stop_144dpi COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run --prefix ${VANTIX_WINEPREFIX}-144dpi --shutdown)
  set_tests_properties(wine_session_stop wine_session_stop_144dpi PROPERTIES FIXTURES_CLEANUP wine_session)
endif()
