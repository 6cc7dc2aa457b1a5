# cmake -DSITE=dir -DFILES=a|b|... -DSERVICE_WORKER=sw.js.in -DUNPACKED=dir -DFILE_ONLY=c
#       -P make_site.cmake
# Makes SITE hold exactly FILES and sw.js, which caches FILES under a name
# that changes with their content, so that a new build replaces the old cache;
# and UNPACKED, the web zip's folder, hold the same and FILE_ONLY, which only
# a page opened from a file loads.
string(REPLACE "|" ";" files "${FILES}")
file(REMOVE_RECURSE ${SITE} ${UNPACKED})
file(MAKE_DIRECTORY ${SITE})
# "./" too: the address a visitor opens.
set(names "\"./\"")
set(hashes "")
foreach(file IN LISTS files)
  get_filename_component(name ${file} NAME)
  file(COPY_FILE ${file} ${SITE}/${name})
  file(SHA256 ${file} hash)
  string(APPEND names ", \"./${name}\"")
  string(APPEND hashes "${name} ${hash}\n")
endforeach()
string(SHA256 LUMBRIX_SITE_HASH "${hashes}")
string(SUBSTRING ${LUMBRIX_SITE_HASH} 0 16 LUMBRIX_SITE_HASH)
set(LUMBRIX_SITE_FILES "${names}")
configure_file(${SERVICE_WORKER} ${SITE}/sw.js @ONLY)
file(COPY ${SITE}/ DESTINATION ${UNPACKED})
file(COPY ${FILE_ONLY} DESTINATION ${UNPACKED})
