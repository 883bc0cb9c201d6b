# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The web page: the program's JavaScript and WebAssembly with the page's
# other files, in a folder that any static web server can serve as it is.

find_program(VANTU_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(web_assets ${PROJECT_SOURCE_DIR}/src/tools/web_assets.py)
set(web_made ${PROJECT_BINARY_DIR}/web)

# The faces the page ships, each a subset of a face that the runtime's
# table names for a face of the design, of only the glyphs the game shows,
# under a name of its own as the fonts' licences ask of a modified font:
# file, source font, family, text (or a range of code points), the Debian
# package whose licence it carries.
# The Regular face has Latin-1, for the page's own texts in German, French
# and Spanish; Japanese ones take the system's face.
# Liberation 2 is in liberation2/ on Debian 12, in liberation/ on Debian 13.
find_path(VANTU_LIBERATION_DIR LiberationSans-Regular.ttf
  PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(liberation ${VANTU_LIBERATION_DIR})
set(VANTU_WEB_FONTS
  "vantu-sans-bold|${liberation}/LiberationSans-Bold.ttf|Vantu Sans|$*-#7C?=+%0123456789 |fonts-liberation2"
  "vantu-pgothic|/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf|Vantu PGothic|*GO |fonts-ipafont-gothic"
  "vantu-sans|${liberation}/LiberationSans-Regular.ttf|Vantu Sans|U+0020-00FF|fonts-liberation2")
set(web_files)
foreach(entry IN LISTS VANTU_WEB_FONTS)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 file)
  list(GET entry 1 source)
  list(GET entry 2 family)
  list(GET entry 3 text)
  list(GET entry 4 package)
  add_custom_command(OUTPUT ${web_made}/fonts/${file}.woff2
    COMMAND ${CMAKE_COMMAND} -E make_directory ${web_made}/fonts
    COMMAND ${VANTU_PYTHON} ${web_assets} font ${source} ${web_made}/fonts/${file}.woff2 ${family} ${text}
    DEPENDS ${web_assets} ${source} VERBATIM)
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

configure_file(${PROJECT_SOURCE_DIR}/resources/web/index.html.in ${web_made}/index.html @ONLY)
# The page's own texts in every language, before the script that shows them.
add_custom_command(OUTPUT ${web_made}/page.js
  COMMAND ${VANTU_PYTHON} ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py page ${web_made}/page-texts.js page: ${VANTU_MO_FILES}
  COMMAND ${VANTU_PYTHON} ${web_assets} join ${web_made}/page.js ${web_made}/page-texts.js
    ${PROJECT_SOURCE_DIR}/resources/web/page.js
  DEPENDS ${PROJECT_SOURCE_DIR}/src/tools/catalogues.py ${web_assets} ${VANTU_MO_FILES}
    ${PROJECT_SOURCE_DIR}/resources/web/page.js VERBATIM)
configure_file(${PROJECT_SOURCE_DIR}/resources/web/manifest.webmanifest.in ${web_made}/manifest.webmanifest @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/web/vantu.css ${web_made}/vantu.css COPYONLY)
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
