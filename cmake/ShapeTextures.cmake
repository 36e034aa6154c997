# The textures of the flat 3D shapes (arrows, decals, the grid's cells) are painted by a small program of the
# project at build time (tools/make_shape_textures.cpp) into Data/graphics/3d/global/.
add_executable(zoderud_make_shape_textures ${PROJECT_SOURCE_DIR}/tools/make_shape_textures.cpp)
set(zoderud_shape_global ${PROJECT_SOURCE_DIR}/Data/graphics/3d/global)
set(zoderud_shape_textures ${zoderud_shape_global}/dot.tga ${zoderud_shape_global}/arrowhead.tga
                           ${zoderud_shape_global}/facing_arrow.tga ${zoderud_shape_global}/blood.tga
                           ${zoderud_shape_global}/hex.tga)
add_custom_command(OUTPUT ${zoderud_shape_textures}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${zoderud_shape_global}
                   COMMAND zoderud_make_shape_textures ${PROJECT_SOURCE_DIR}/Data/graphics/3d
                   DEPENDS zoderud_make_shape_textures
                   COMMENT "Painting the textures of the flat 3D shapes")
add_custom_target(zoderud_shape_textures ALL DEPENDS ${zoderud_shape_textures})
