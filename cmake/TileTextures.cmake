# The tile textures of the 3D data are painted by a small program of the project at build time
# (tools/make_tile_textures.cpp) into Data/graphics/3d/tiles/. They are build products, not sources.
add_executable(zoderud_make_tile_textures ${PROJECT_SOURCE_DIR}/tools/make_tile_textures.cpp)
target_link_libraries(zoderud_make_tile_textures PRIVATE zoderud_platform)
set(zoderud_tiles_root ${PROJECT_SOURCE_DIR}/Data/graphics/3d/tiles)
set(zoderud_tile_textures ${zoderud_tiles_root}/flat/grass.dds ${zoderud_tiles_root}/static/tiles.dds)
add_custom_command(OUTPUT ${zoderud_tile_textures}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${zoderud_tiles_root}/flat ${zoderud_tiles_root}/static
                   COMMAND zoderud_make_tile_textures ${PROJECT_SOURCE_DIR}/Data/graphics/3d
                   DEPENDS zoderud_make_tile_textures
                   COMMENT "Painting the tile textures")
add_custom_target(zoderud_tile_textures ALL DEPENDS ${zoderud_tile_textures})
