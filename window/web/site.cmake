# The site: every file a visitor's browser loads over http(s) in
# ${PROJECT_BINARY_DIR}/site, index.html at its root, and nothing else; and
# the web zip's folder beside it, which also opens from a file. Included by
# window/CMakeLists.txt once the program lumbrix (the core's lumbrix.js) is defined.
set(lumbrix_web ${CMAKE_CURRENT_LIST_DIR})
set(lumbrix_site ${PROJECT_BINARY_DIR}/site)
set(lumbrix_web_zip lumbrix-${LUMBRIX_VERSION_TEXT}-web)
set(lumbrix_unpacked ${PROJECT_BINARY_DIR}/web-zip)

# The product's name and description, from the top-level CMakeLists.txt.
configure_file(${lumbrix_web}/manifest.webmanifest.in web/manifest.webmanifest @ONLY)

# The page with the converter window, its stylesheet and boot.js in it as built:
# form_html.cpp, run under node, writes it from the core's control table and texts.
find_program(LUMBRIX_NODE NAMES node nodejs REQUIRED)
add_executable(lumbrix_form_html ${lumbrix_web}/form_html.cpp)
target_link_libraries(lumbrix_form_html PRIVATE lumbrix_core lumbrix_window_common)
# One file (node 20 cannot load a separate .wasm from a path).
target_link_options(lumbrix_form_html PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1)
set(lumbrix_index_html ${CMAKE_CURRENT_BINARY_DIR}/web/index.html)
add_custom_command(
  OUTPUT ${lumbrix_index_html}
  COMMAND ${CMAKE_COMMAND} -DNODE=${LUMBRIX_NODE} -DFORM_HTML=$<TARGET_FILE:lumbrix_form_html>
          -DWEB=${lumbrix_web} -DOUT=${CMAKE_CURRENT_BINARY_DIR}/web
          -DPROJECT_NAME=${PROJECT_NAME} -P ${lumbrix_web}/make_page.cmake
  DEPENDS lumbrix_form_html ${lumbrix_web}/make_page.cmake ${lumbrix_web}/index.html.in
          ${lumbrix_web}/style.css ${lumbrix_web}/boot.js
  COMMENT "Writing the page with its form"
  VERBATIM)

# The translated texts, from the same translations/*.ts as the other shells:
# those of window/controls.hpp, window/texts.hpp and conversion/spoken_result.hpp.
find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)
set(lumbrix_translations_js ${CMAKE_CURRENT_BINARY_DIR}/web/translations.js)
add_custom_command(
  OUTPUT ${lumbrix_translations_js}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/translations/ts_texts.py web
          ${lumbrix_translations_js} Controls,Form1,SpokenResult ${LUMBRIX_TS_FILES}
  DEPENDS ${PROJECT_SOURCE_DIR}/translations/ts_texts.py ${LUMBRIX_TS_FILES}
  COMMENT "Writing the page's translations")

# The core's WebAssembly as a script, for a page opened from a file, where
# the browser fetches no .wasm: only the zip carries it.
set(lumbrix_wasm_js ${CMAKE_CURRENT_BINARY_DIR}/web/lumbrix-wasm.js)
add_custom_command(
  OUTPUT ${lumbrix_wasm_js}
  COMMAND Python3::Interpreter ${lumbrix_web}/embed_wasm.py
          $<TARGET_FILE_DIR:lumbrix>/lumbrix.wasm ${lumbrix_wasm_js}
  DEPENDS lumbrix ${lumbrix_web}/embed_wasm.py
  COMMENT "Writing the core's WebAssembly as a script")

# The icons: the scalable one as it is, the pictures deflated.
set(lumbrix_site_icons ${PROJECT_SOURCE_DIR}/window/resources/lumbrix.svg)
foreach(size IN ITEMS 32 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/web/lumbrix-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND Python3::Interpreter ${lumbrix_web}/small_png.py
            ${PROJECT_SOURCE_DIR}/window/resources/lumbrix-${size}.png ${png}
    DEPENDS ${PROJECT_SOURCE_DIR}/window/resources/lumbrix-${size}.png ${lumbrix_web}/small_png.py)
  list(APPEND lumbrix_site_icons ${png})
endforeach()

# In the order the service worker lists them; it caches them all.
set(lumbrix_site_files
    ${lumbrix_index_html}
    ${lumbrix_web}/app.js
    ${lumbrix_web}/layout.js
    ${lumbrix_translations_js}
    $<TARGET_FILE:lumbrix>
    $<TARGET_FILE_DIR:lumbrix>/lumbrix.wasm
    ${CMAKE_CURRENT_BINARY_DIR}/web/manifest.webmanifest
    ${lumbrix_site_icons})
# lumbrix.wasm comes with the target lumbrix, by no rule of its own that the
# build tool could see: depending on it as a file stops a first build.
set(lumbrix_site_depends ${lumbrix_site_files})
list(REMOVE_ITEM lumbrix_site_depends $<TARGET_FILE_DIR:lumbrix>/lumbrix.wasm)
add_custom_command(
  OUTPUT ${lumbrix_site}/sw.js
  COMMAND ${CMAKE_COMMAND} -DSITE=${lumbrix_site} "-DFILES=$<JOIN:${lumbrix_site_files},|>"
          -DSERVICE_WORKER=${lumbrix_web}/sw.js.in -DUNPACKED=${lumbrix_unpacked}
          -DFILE_ONLY=${lumbrix_wasm_js} -P ${lumbrix_web}/make_site.cmake
  DEPENDS ${lumbrix_site_depends} ${lumbrix_wasm_js} lumbrix ${lumbrix_web}/sw.js.in
          ${lumbrix_web}/make_site.cmake
  COMMENT "Gathering the page into site/"
  VERBATIM)
add_custom_target(site ALL DEPENDS ${lumbrix_site}/sw.js)

# scripts/package: the zip's folder in lumbrix-<version>-web.zip, under a
# folder of that name.
add_custom_target(
  web_zip
  COMMAND Python3::Interpreter ${lumbrix_web}/zip_site.py ${lumbrix_unpacked}
          ${PROJECT_BINARY_DIR}/${lumbrix_web_zip}.zip ${lumbrix_web_zip}
  COMMENT "Packing the page into ${lumbrix_web_zip}.zip"
  VERBATIM)
add_dependencies(web_zip site)
