# cmake -DNODE=node -DFORM_HTML=form_html.js -DWEB=window/web -DOUT=dir
#       -DPROJECT_NAME=name -P make_page.cmake
# Writes OUT/index.html with the converter window and its stylesheet in it,
# as form_html.cpp writes them, so that the page paints the window before
# any script has run and without waiting for a second file. The
# Content-Security-Policy admits that one stylesheet by its hash.
foreach(part IN ITEMS html css)
  execute_process(COMMAND ${NODE} ${FORM_HTML} ${part} OUTPUT_VARIABLE form_${part}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(READ ${WEB}/style.css style)
set(LUMBRIX_STYLE "${style}${form_css}")
file(WRITE ${OUT}/style.css.tmp "${LUMBRIX_STYLE}")
execute_process(
  COMMAND ${NODE} -e "process.stdout.write(require('crypto').createHash('sha256')
    .update(require('fs').readFileSync(process.argv[1])).digest('base64'))" ${OUT}/style.css.tmp
  OUTPUT_VARIABLE LUMBRIX_STYLE_HASH COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${OUT}/style.css.tmp)
set(LUMBRIX_FORM "${form_html}")
configure_file(${WEB}/index.html.in ${OUT}/index.html @ONLY)
