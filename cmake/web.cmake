# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The web page: the program's JavaScript and WebAssembly with the page's
# other files, in a folder that any static web server can serve as it is.

find_program(VANTU_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(web_assets ${PROJECT_SOURCE_DIR}/src/tools/web_assets.py)
set(web_made ${PROJECT_BINARY_DIR}/web)

# The characters that each face of the design draws: the captions, the
# strips' symbols, the counter's digits, as the game's own form gives them.
add_executable(vantu_glyphs ${PROJECT_SOURCE_DIR}/src/tools/glyphs.cpp)
target_link_libraries(vantu_glyphs PRIVATE vantu_game vantu_warnings)
target_link_options(vantu_glyphs PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sSINGLE_FILE)
add_custom_command(OUTPUT ${web_made}/glyphs.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${web_made}
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vantu_glyphs> ${web_made}/glyphs.txt
  DEPENDS vantu_glyphs VERBATIM)

# The faces the page ships, each a subset of a face that the runtime's
# table names for a face of the design, of only the glyphs the game shows,
# under a name of its own as the fonts' licences ask of a modified font:
# file, source font, the face it stands for, family, weight, text (the
# glyphs of a face of the design, or a range of code points), the Debian package whose licence it carries, and
# its use: "preload" for a face the form shows at once, "page" for the
# page's own texts. The page's @font-face rules, its preloads and the map
# from the runtime's faces to the page's families are made from this list.
# The Regular face has Latin-1, for an error's report, and every character
# of the page's own texts in each language that Liberation Sans has (Polish
# and Russian among them); Chinese, Japanese and Korean take the system's
# face.
# Liberation 2 is in liberation2/ on Debian 12, in liberation/ on Debian 13.
find_path(VANTU_LIBERATION_DIR LiberationSans-Regular.ttf
  PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(liberation ${VANTU_LIBERATION_DIR})
set(VANTU_WEB_FONTS
  "vantu-sans-bold|${liberation}/LiberationSans-Bold.ttf|Liberation Sans|Vantu Sans|700|${web_made}/glyphs.txt:Arial:700|fonts-liberation2|preload"
  "vantu-pgothic|/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf|IPAPGothic|Vantu PGothic|400|${web_made}/glyphs.txt:ＭＳ Ｐゴシック:400|fonts-ipafont-gothic|preload"
  "vantu-sans|${liberation}/LiberationSans-Regular.ttf|Liberation Sans|Vantu Sans|400|U+0020-00FF,${web_made}/page-texts.js|fonts-liberation2|page")
set(web_files)
set(VANTU_WEB_FONT_FACES)
set(VANTU_WEB_PRELOADS)
set(web_faces)
foreach(entry IN LISTS VANTU_WEB_FONTS)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 file)
  list(GET entry 1 source)
  list(GET entry 2 face)
  list(GET entry 3 family)
  list(GET entry 4 weight)
  list(GET entry 5 text)
  list(GET entry 6 package)
  list(GET entry 7 use)
  string(APPEND VANTU_WEB_FONT_FACES "@font-face {\n  font-family: \"${family}\";\n  font-weight: ${weight};\n"
    "  font-display: block;\n  src: url(\"fonts/${file}.woff2\") format(\"woff2\");\n}\n")
  if(use STREQUAL "preload")
    string(APPEND VANTU_WEB_PRELOADS
      "<link rel=\"preload\" href=\"fonts/${file}.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n")
  elseif(use STREQUAL "page")
    set(VANTU_WEB_PAGE_FAMILY ${family})
  endif()
  if(NOT "\"${face}\": \"${family}\"" IN_LIST web_faces)
    list(APPEND web_faces "\"${face}\": \"${family}\"")
  endif()
  add_custom_command(OUTPUT ${web_made}/fonts/${file}.woff2
    COMMAND ${CMAKE_COMMAND} -E make_directory ${web_made}/fonts
    COMMAND ${VANTU_PYTHON} ${web_assets} font ${source} ${web_made}/fonts/${file}.woff2 ${family} ${text}
    DEPENDS ${web_assets} ${source} ${web_made}/glyphs.txt ${web_made}/page-texts.js VERBATIM)
  list(APPEND web_files fonts/${file}.woff2)
  if(NOT package IN_LIST web_packages)
    list(APPEND web_packages ${package})
    add_custom_command(OUTPUT ${web_made}/fonts/${package}.txt
      COMMAND ${CMAKE_COMMAND} -E make_directory ${web_made}/fonts
      COMMAND ${VANTU_PYTHON} ${web_assets} join ${web_made}/fonts/${package}.txt
        ${PROJECT_SOURCE_DIR}/resources/web/${package}.txt /usr/share/doc/${package}/copyright
      DEPENDS ${PROJECT_SOURCE_DIR}/resources/web/${package}.txt /usr/share/doc/${package}/copyright VERBATIM)
    list(APPEND web_files fonts/${package}.txt)
  endif()
endforeach()

# The icon in the sizes that phones and desktops ask an installable page for.
foreach(size 192 512)
  add_custom_command(OUTPUT ${web_made}/icons/vantu-${size}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${web_made}/icons
    COMMAND ${VANTU_PYTHON} ${web_assets} icon ${PROJECT_SOURCE_DIR}/resources/vantu.xpm
      ${web_made}/icons/vantu-${size}.png ${size}
    DEPENDS ${web_assets} ${PROJECT_SOURCE_DIR}/resources/vantu.xpm VERBATIM)
  list(APPEND web_files icons/vantu-${size}.png)
endforeach()

string(STRIP "${VANTU_WEB_PRELOADS}" VANTU_WEB_PRELOADS)
string(STRIP "${VANTU_WEB_FONT_FACES}" VANTU_WEB_FONT_FACES)
list(JOIN web_faces ", " VANTU_WEB_FACES)
configure_file(${PROJECT_SOURCE_DIR}/resources/web/index.html.in ${web_made}/index.html @ONLY)
# The page's own texts in every language, before the script that shows them
# (page-texts.js, whose characters the Regular face takes too).
add_custom_command(OUTPUT ${web_made}/page.js ${web_made}/page-texts.js
  COMMAND ${VANTU_PYTHON} ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py page ${web_made}/page-texts.js page: ${VANTU_MO_FILES}
  COMMAND ${VANTU_PYTHON} ${web_assets} join ${web_made}/page.js ${web_made}/page-texts.js
    ${PROJECT_SOURCE_DIR}/resources/web/page.js
  DEPENDS ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py ${web_assets} ${VANTU_MO_FILES}
    ${PROJECT_SOURCE_DIR}/resources/web/page.js VERBATIM)
configure_file(${PROJECT_SOURCE_DIR}/resources/web/manifest.webmanifest.in ${web_made}/manifest.webmanifest @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/web/vantu.css.in ${web_made}/vantu.css @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/src/forms/web/forms.css ${web_made}/forms.css COPYONLY)
list(APPEND web_files index.html page.js manifest.webmanifest vantu.css forms.css)

# vantu_web_site(PROGRAM DIR): the page in DIR with PROGRAM's vantu.js and
# vantu.wasm, and its service worker, which keeps all of them.
function(vantu_web_site program dir)
  set(copies)
  foreach(file IN LISTS web_files)
    add_custom_command(OUTPUT ${dir}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${web_made}/${file} ${dir}/${file}
      DEPENDS ${web_made}/${file} VERBATIM)
    list(APPEND copies ${dir}/${file})
  endforeach()
  set(kept ${web_files} vantu.js vantu.wasm)
  add_custom_command(OUTPUT ${dir}/service-worker.js
    COMMAND ${VANTU_PYTHON} ${web_assets} worker ${PROJECT_SOURCE_DIR}/src/forms/web/service-worker.js.in
      ${dir}/service-worker.js ${dir} ${kept}
    DEPENDS ${web_assets} ${PROJECT_SOURCE_DIR}/src/forms/web/service-worker.js.in ${copies} ${program}
    VERBATIM)
  add_custom_target(${program}_site ALL DEPENDS ${dir}/service-worker.js)
endfunction()
