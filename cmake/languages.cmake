# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The languages of what we add around the game: po/LINGUAS names them, and
# po/LANG.po translates po/vantu.pot (scripts/update-po makes both from the
# code and the metadata). Here the build turns them into what each platform
# carries: the catalogues built into the program, on every platform; the
# desktop entry, the AppStream metadata and the man pages on Linux; the
# READMEs on Windows. Included from src/, where the game is built.

set(VANTU_PYTHON /usr/bin/python3 CACHE FILEPATH "Python that runs the build's own tools")
find_program(VANTU_MSGFMT msgfmt REQUIRED)
find_program(VANTU_MSGGREP msggrep REQUIRED)
set(VANTU_PO ${PROJECT_SOURCE_DIR}/po)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VANTU_PO}/LINGUAS)
file(STRINGS ${VANTU_PO}/LINGUAS VANTU_LANGUAGES REGEX "^[^#]")
set(VANTU_LANGUAGES ${VANTU_LANGUAGES} PARENT_SCOPE)

# From each language's catalogue, in po/ of the build folder:
# - LANG.mo, compiled as msgfmt compiles it: without the texts still
#   untranslated or marked fuzzy, which stay English. `make lint` is where a
#   catalogue's faults fail (msgfmt --check); a player's build carries a
#   broken text, and the program gives the English for it.
# - LANG-program.mo, the same of only the texts of the code (found in src/,
#   whose files msggrep matches a folder at a time): the program carries no
#   document's texts.
# - LANG-documents.po, what po4a reads to translate the man page and the
#   README: only their texts, for the po4a of Debian 12 parses neither a
#   context nor more than two plural forms, which the code's texts have.
set(mo_files)
set(program_mo_files)
set(po_files)
foreach(language IN LISTS VANTU_LANGUAGES)
  set(po ${VANTU_PO}/${language}.po)
  set(made ${PROJECT_BINARY_DIR}/po/${language})
  add_custom_command(OUTPUT ${made}.mo ${made}-program.mo ${made}-documents.po
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/po
    COMMAND ${VANTU_MSGFMT} -o ${made}.mo ${po}
    COMMAND ${VANTU_MSGGREP} --location=src/* --location=src/*/* --location=src/*/*/* -o ${made}-program.po ${po}
    COMMAND ${VANTU_MSGFMT} -o ${made}-program.mo ${made}-program.po
    COMMAND ${VANTU_MSGGREP} --location=resources/vantu.6 --location=resources/windows-readme.txt.in
            -o ${made}-documents.po ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${language} catalogue")
  list(APPEND po_files ${po})
  list(APPEND mo_files ${made}.mo)
  list(APPEND program_mo_files ${made}-program.mo)
endforeach()
set(VANTU_MO_FILES ${mo_files})
set(VANTU_MO_FILES ${mo_files} PARENT_SCOPE)
set(VANTU_CATALOGUES ${PROJECT_BINARY_DIR}/generated/catalogues.cpp)
add_custom_command(OUTPUT ${VANTU_CATALOGUES}
  COMMAND ${VANTU_PYTHON} ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py cpp ${VANTU_CATALOGUES} ${program_mo_files}
  DEPENDS ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py ${program_mo_files}
  COMMENT "Building the catalogues into the program")

if(WIN32)
  # The Windows README in each language beside the English README.txt:
  # README.ja.txt and so on, with Notepad's line ends.
  find_program(VANTU_PO4A_TRANSLATE po4a-translate REQUIRED)
  set(readmes)
  foreach(language IN LISTS VANTU_LANGUAGES)
    set(readme ${PROJECT_BINARY_DIR}/release/README.${language}.txt)
    set(translated ${PROJECT_BINARY_DIR}/po/README.${language}.txt.in)
    add_custom_command(OUTPUT ${readme}
      COMMAND ${VANTU_PO4A_TRANSLATE} -f text -k 0 -M UTF-8 -L UTF-8 -m ${PROJECT_SOURCE_DIR}/resources/windows-readme.txt.in
              -p ${PROJECT_BINARY_DIR}/po/${language}-documents.po -l ${translated}
      COMMAND ${CMAKE_COMMAND} -DIN=${translated} -DOUT=${readme} -DVANTU_APP_VERSION=${VANTU_APP_VERSION}
              -DVANTU_HOMEPAGE=${VANTU_HOMEPAGE} -P ${PROJECT_SOURCE_DIR}/cmake/configure_crlf.cmake
      DEPENDS ${PROJECT_SOURCE_DIR}/resources/windows-readme.txt.in ${PROJECT_BINARY_DIR}/po/${language}-documents.po
              ${PROJECT_SOURCE_DIR}/cmake/configure_crlf.cmake
      COMMENT "Translating the README into ${language}")
    list(APPEND readmes ${readme})
  endforeach()
  add_custom_target(vantu_readmes ALL DEPENDS ${readmes})
elseif(NOT EMSCRIPTEN)
  # The desktop entry and the AppStream metadata with every language in
  # them, and a man page in each.
  find_program(VANTU_PO4A_TRANSLATE po4a-translate REQUIRED)
  set(desktop ${PROJECT_BINARY_DIR}/generated/${VANTU_APP_ID}.desktop)
  set(metainfo ${PROJECT_BINARY_DIR}/generated/${VANTU_APP_ID}.metainfo.xml)
  # The metadata with the home page in it, as the top folder configures it.
  set(english_metainfo ${PROJECT_BINARY_DIR}/generated/en/${VANTU_APP_ID}.metainfo.xml)
  add_custom_command(OUTPUT ${desktop}
    COMMAND ${VANTU_MSGFMT} --desktop -d ${VANTU_PO} --template ${PROJECT_SOURCE_DIR}/resources/${VANTU_APP_ID}.desktop
            -o ${desktop}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/${VANTU_APP_ID}.desktop ${VANTU_PO}/LINGUAS ${po_files}
    COMMENT "Translating the desktop entry")
  add_custom_command(OUTPUT ${metainfo}
    COMMAND ${VANTU_MSGFMT} --xml -d ${VANTU_PO} --template ${english_metainfo} -o ${metainfo}
    DEPENDS ${english_metainfo} ${VANTU_PO}/LINGUAS ${po_files}
    COMMENT "Translating the AppStream metadata")
  # groff breaks a line only at a space, unless the macros of the page's
  # language tell it where else it may; and man-db loads none, whatever the
  # locale. So a page in a language that puts no space between its words,
  # Japanese or Chinese, loads groff's macros for it (ja.tmac, zh.tmac, in
  # groff-base), or each of its paragraphs comes out as one line. It is
  # also set flush left: justifying could only widen the few spaces it has.
  # groff 1.23's man macros take that from AD at .TH, 1.22's leave .ad
  # alone. Korean spaces its words (groff has no macros for it). A change of
  # these commands makes the pages again, which make alone would not see.
  set(man_pages)
  foreach(language IN LISTS VANTU_LANGUAGES)
    set(man ${PROJECT_BINARY_DIR}/man/${language}/vantu.6)
    set(unspaced)
    if(language MATCHES "^(ja|zh)(_|$)")
      set(unspaced COMMAND sed -i "s/^\\.TH /.mso ${CMAKE_MATCH_1}.tmac\\n.ds AD l\\n.ad l\\n&/" ${man})
    endif()
    add_custom_command(OUTPUT ${man}
      COMMAND ${VANTU_PO4A_TRANSLATE} -f man -k 0 -M UTF-8 -L UTF-8 -m ${PROJECT_SOURCE_DIR}/resources/vantu.6
              -p ${PROJECT_BINARY_DIR}/po/${language}-documents.po -l ${man}
      ${unspaced}
      DEPENDS ${PROJECT_SOURCE_DIR}/resources/vantu.6 ${PROJECT_BINARY_DIR}/po/${language}-documents.po
              ${CMAKE_CURRENT_LIST_FILE}
      COMMENT "Translating the man page into ${language}" VERBATIM)
    list(APPEND man_pages ${man})
  endforeach()
  add_custom_target(vantu_languages ALL DEPENDS ${desktop} ${metainfo} ${man_pages})
endif()
