# cmake -DNODE=node -DFORM_HTML=form_html.js -DWEB=window/web -DOUT=dir
#       -DPROJECT_NAME=name -P make_page.cmake
# Writes OUT/index.html with the converter window and its stylesheet in it,
# as form_html.cpp writes them, so that the page paints the window before
# any script has run and without waiting for a second file, and with boot.js
# in it, so that the core compiles from the start. The
# Content-Security-Policy admits that one stylesheet and that one script by
# their hashes.
foreach(part IN ITEMS html css)
  execute_process(COMMAND ${NODE} ${FORM_HTML} ${part} OUTPUT_VARIABLE form_${part}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(READ ${WEB}/style.css style)
file(READ ${WEB}/boot.js LUMBRIX_BOOT)
# Their comments are for their readers, not for every visit.
string(REGEX REPLACE "/\\*[^*]*\\*+([^/*][^*]*\\*+)*/" "" LUMBRIX_STYLE "${style}${form_css}")
string(REGEX REPLACE "(^|\n) *//[^\n]*" "" LUMBRIX_BOOT "${LUMBRIX_BOOT}")

# The hash a Content-Security-Policy names a text by.
function(policy_hash text out)
  file(WRITE ${OUT}/hashed.tmp "${text}")
  execute_process(
    COMMAND ${NODE} -e "process.stdout.write(require('crypto').createHash('sha256')
      .update(require('fs').readFileSync(process.argv[1])).digest('base64'))" ${OUT}/hashed.tmp
    OUTPUT_VARIABLE hash COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${OUT}/hashed.tmp)
  set(${out} ${hash} PARENT_SCOPE)
endfunction()
policy_hash("${LUMBRIX_STYLE}" LUMBRIX_STYLE_HASH)
policy_hash("${LUMBRIX_BOOT}" LUMBRIX_BOOT_HASH)
set(LUMBRIX_FORM "${form_html}")
configure_file(${WEB}/index.html.in ${OUT}/index.html @ONLY)
