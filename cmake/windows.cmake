# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# What every Windows program of the build shares (cross-compiled through
# cmake/mingw-w64-x86_64.cmake): how it is linked, so that it needs no DLL
# that Windows does not ship, and its resources; and what the Windows release
# takes from the build. The Win32 backend is in src/forms/win32/, vantu.exe
# in src/, its tests in tests/windows/.

enable_language(RC)
# The C and C++ runtimes, and the threads library under them, go into the
# program itself; a release build is stripped of its symbols.
add_link_options(-static $<$<CONFIG:Release>:-s>)
# The PE header's time stamp stays zero: the same sources give the same
# program, whenever and wherever it is built.
add_link_options(-Wl,--no-insert-timestamp)

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
add_custom_target(vantu_icon DEPENDS icons/vantu.ico)

# Gives a program the resources; windres finds the icon, the manifest and the
# backend's resource ids on these paths. The script is compiled again when the
# icon or the manifest changes, in whichever folder the program is made.
function(vantu_add_resources target)
  target_sources(${target} PRIVATE ${VANTU_RESOURCES})
  set_source_files_properties(${VANTU_RESOURCES} TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${PROJECT_BINARY_DIR}/icons/vantu.ico;${PROJECT_SOURCE_DIR}/resources/vantu.exe.manifest")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/forms/win32
    ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/icons)
  add_dependencies(${target} vantu_icon)
endfunction()

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
