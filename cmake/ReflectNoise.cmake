# The ambient-occlusion noise texture, Data/graphics/2D/post/reflect.dds: made at build time by
# the project's own small program, so it is a build product, not a source.
add_executable(zoderud_make_reflect_noise ${PROJECT_SOURCE_DIR}/tools/make_reflect_noise.cpp)
set(zoderud_reflect_noise ${PROJECT_SOURCE_DIR}/Data/graphics/2D/post/reflect.dds)
add_custom_command(OUTPUT ${zoderud_reflect_noise}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_SOURCE_DIR}/Data/graphics/2D/post
                   COMMAND zoderud_make_reflect_noise ${zoderud_reflect_noise}
                   DEPENDS zoderud_make_reflect_noise
                   COMMENT "Making the noise texture reflect.dds")
add_custom_target(zoderud_reflect_noise_texture ALL DEPENDS ${zoderud_reflect_noise})
