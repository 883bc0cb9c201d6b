# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The Windows build (cross-compiled through cmake/mingw-w64-x86_64.cmake):
# the Win32 backend, the program's resources, and one vantu.exe that needs
# no DLL that Windows does not ship.

enable_language(RC)
# The C and C++ runtimes, and the threads library under them, go into the
# program itself; a release build is stripped of its symbols.
add_link_options(-static $<$<CONFIG:Release>:-s>)
# The PE header's time stamp stays zero: the same sources give the same
# program, whenever and wherever it is built.
add_link_options(-Wl,--no-insert-timestamp)

# The Win32 backend of the forms runtime. Knows nothing of the game. Windows
# 10 (1607) or later: per-monitor DPI awareness.
add_library(vantu_win32 STATIC
  src/forms/win32/accessible.cpp
  src/forms/win32/application.cpp
  src/forms/win32/control_windows.cpp
  src/forms/win32/conversions.cpp
  src/forms/win32/form_keyboard.cpp
  src/forms/win32/form_window.cpp
  src/forms/win32/painting.cpp
  src/forms/win32/win32_platform.cpp)
target_compile_definitions(vantu_win32 PUBLIC UNICODE _UNICODE NOMINMAX WINVER=0x0A00 _WIN32_WINNT=0x0A00)
target_link_libraries(vantu_win32 PUBLIC vantu_forms comctl32 oleacc ole32 oleaut32 gdi32 user32)

# The program's resources: the icon, made from the one drawn as an XPM, the
# version record, and the manifest (themed controls, per-monitor DPI).
set(VANTU_PYTHON /usr/bin/python3 CACHE FILEPATH "Python that runs the build's own tools")
add_custom_command(OUTPUT icons/vantu.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory icons
  COMMAND ${VANTU_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/src/tools/make_ico.py
          ${CMAKE_CURRENT_SOURCE_DIR}/resources/vantu.xpm icons/vantu.ico
  DEPENDS src/tools/make_ico.py resources/vantu.xpm
  COMMENT "Making the program's icon")
configure_file(resources/vantu.rc.in generated/vantu.rc @ONLY)
set(VANTU_RESOURCES ${CMAKE_CURRENT_BINARY_DIR}/generated/vantu.rc)
set_source_files_properties(${VANTU_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_BINARY_DIR}/icons/vantu.ico;${CMAKE_CURRENT_SOURCE_DIR}/resources/vantu.exe.manifest")
add_custom_target(vantu_icon DEPENDS icons/vantu.ico)

# Gives a program the resources; windres finds the icon, the manifest and the
# backend's resource ids on these paths.
function(vantu_add_resources target)
  target_sources(${target} PRIVATE ${VANTU_RESOURCES})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/forms/win32
    ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/icons)
  add_dependencies(${target} vantu_icon)
endfunction()

add_executable(vantu WIN32 src/window/main.cpp)
target_link_libraries(vantu PRIVATE vantu_game vantu_win32)
vantu_add_resources(vantu)

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests/windows)
endif()

# What a release takes from this build besides vantu.exe (scripts/release):
# the zip's and the installer's texts, with the line ends that Windows'
# Notepad expects, and the installer's values. Each version of the game is a
# product of its own for Windows Installer, under the one upgrade code: a
# later version replaces an earlier one.
configure_file(resources/windows-readme.txt.in release/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE release/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
set(VANTU_UPGRADE_CODE A9088297-6D00-410C-9455-EA41C56F51F4)
string(UUID VANTU_PRODUCT_CODE NAMESPACE ${VANTU_UPGRADE_CODE}
  NAME "${VANTU_APP_NAME} ${VANTU_APP_VERSION}" TYPE SHA1 UPPER)
file(CONFIGURE OUTPUT release/release.env CONTENT [[
VANTU_VERSION=@VANTU_APP_VERSION@
VANTU_UPGRADE_CODE=@VANTU_UPGRADE_CODE@
VANTU_PRODUCT_CODE=@VANTU_PRODUCT_CODE@
VANTU_HOMEPAGE=@VANTU_HOMEPAGE@
]] @ONLY)
