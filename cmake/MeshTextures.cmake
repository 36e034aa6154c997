# The textures of the 3D data are painted by a small program of the project at build time
# (tools/make_mesh_textures.cpp) into Data/graphics/3d/. They are build products, not sources.
add_executable(zoderud_make_mesh_textures ${PROJECT_SOURCE_DIR}/tools/make_mesh_textures.cpp)
target_link_libraries(zoderud_make_mesh_textures PRIVATE zoderud_platform)
set(zoderud_3d_root ${PROJECT_SOURCE_DIR}/Data/graphics/3d)
set(zoderud_mesh_textures ${zoderud_3d_root}/global/grassenvmap1024.dds ${zoderud_3d_root}/global/crate.jpg)
foreach(folder dynamic static)
  foreach(detail large_tex medium_tex small_tex)
    list(APPEND zoderud_mesh_textures ${zoderud_3d_root}/meshes/${folder}/${detail}/atlas_texture0.dds
                                      ${zoderud_3d_root}/meshes/${folder}/${detail}/atlas_normal_texture0.dds)
  endforeach()
endforeach()
add_custom_command(OUTPUT ${zoderud_mesh_textures}
                   COMMAND zoderud_make_mesh_textures ${zoderud_3d_root}
                   DEPENDS zoderud_make_mesh_textures
                   COMMENT "Painting the textures of the 3D data")
add_custom_target(zoderud_3d_textures ALL DEPENDS ${zoderud_mesh_textures})
