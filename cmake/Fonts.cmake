# The UI's font files: free faces from Debian's fonts-ebgaramond and fonts-dejavu-core
# (scripts/install-deps.sh), copied into Data/fonts/ under the names the program uses. They are
# build products, not sources.
set(ZODERUD_FONT_SOURCE_DIR /usr/share/fonts/opentype/ebgaramond CACHE PATH "Folder of the EB Garamond font files")
set(zoderud_font_copies)
foreach(pair "EBGaramond12-Regular.otf=EBGaramond-Regular.ttf" "EBGaramond12-Bold.otf=original-garamond-bold-bt.ttf")
  string(REPLACE "=" ";" pair_list ${pair})
  list(GET pair_list 0 source_name)
  list(GET pair_list 1 target_name)
  set(source_file ${ZODERUD_FONT_SOURCE_DIR}/${source_name})
  set(target_file ${PROJECT_SOURCE_DIR}/Data/fonts/${target_name})
  if(EXISTS ${source_file})
    add_custom_command(OUTPUT ${target_file}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source_file} ${target_file}
                       DEPENDS ${source_file}
                       COMMENT "Copying font ${target_name}")
    list(APPEND zoderud_font_copies ${target_file})
  else()
    message(WARNING "Font ${source_file} not found (install fonts-ebgaramond): UI text will not draw")
  endif()
endforeach()
# The menu item's face: DejaVu Sans from Debian's fonts-dejavu-core, under its own name.
set(ZODERUD_DEJAVU_SOURCE_DIR /usr/share/fonts/truetype/dejavu CACHE PATH "Folder of the DejaVu font files")
set(dejavu_source ${ZODERUD_DEJAVU_SOURCE_DIR}/DejaVuSans.ttf)
set(dejavu_target ${PROJECT_SOURCE_DIR}/Data/fonts/DejaVuSans.ttf)
if(EXISTS ${dejavu_source})
  add_custom_command(OUTPUT ${dejavu_target}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dejavu_source} ${dejavu_target}
                     DEPENDS ${dejavu_source}
                     COMMENT "Copying font DejaVuSans.ttf")
  list(APPEND zoderud_font_copies ${dejavu_target})
else()
  message(WARNING "Font ${dejavu_source} not found (install fonts-dejavu-core): menu items will not draw")
endif()
add_custom_target(zoderud_fonts ALL DEPENDS ${zoderud_font_copies})
