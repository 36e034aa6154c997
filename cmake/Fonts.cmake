# The UI's font files: free faces from Debian's fonts-ebgaramond (scripts/install-deps.sh), copied
# into Data/fonts/ under the names the font list uses. They are build products, not sources.
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
add_custom_target(zoderud_fonts ALL DEPENDS ${zoderud_font_copies})
