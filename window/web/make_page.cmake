# cmake -DNODE=node -DFORM_HTML=form_html.js -DWEB=window/web -DOUT=dir
#       -DPROJECT_NAME=name -P make_page.cmake
# Writes OUT/index.html and OUT/style.css with the converter window in them
# as form_html.cpp writes it, so that the page shows the window before any
# script has run.
foreach(part IN ITEMS html css)
  execute_process(COMMAND ${NODE} ${FORM_HTML} ${part} OUTPUT_VARIABLE form_${part}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(LUMBRIX_FORM "${form_html}")
configure_file(${WEB}/index.html.in ${OUT}/index.html @ONLY)
file(READ ${WEB}/style.css style)
file(WRITE ${OUT}/style.css "${style}${form_css}")
