# The module resources: the generator `resgen` draws every bitmap and writes every
# WAVE file at build time. It is built as a native tool in its own build tree, so
# that it also serves the 32-bit and cross builds of the modules.
include(ExternalProject)

set(RESGEN_BINARY_DIR ${PROJECT_BINARY_DIR}/resgen)
set(RESGEN ${RESGEN_BINARY_DIR}/resgen)

ExternalProject_Add(resgen_tool
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/resources
  BINARY_DIR ${RESGEN_BINARY_DIR}
  CMAKE_ARGS -DPANEL_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${RESGEN})

# Embeds the resources of `module_name` in `target`: on Linux as an assembled
# directory of files (resources.S) listed by the exported ResourceDirectory, on
# Windows as the module's resource section (resources.rc). Several targets (a
# module and test modules) may embed the same module's resources; they are drawn
# once.
function(panel_embed_resources target module_name)
  set(out ${PROJECT_BINARY_DIR}/resources/${module_name})
  if(NOT TARGET ${module_name}_resources)
    add_custom_target(${module_name}_resources
      COMMAND ${RESGEN} --module ${module_name} --out ${out}
      BYPRODUCTS ${out}/resources.S ${out}/resource_table.inc ${out}/resources.rc
                 ${out}/manifest.txt ${out}/legends.txt
      COMMENT "Drawing the ${module_name} bitmaps and sounds"
      VERBATIM)
    add_dependencies(${module_name}_resources resgen_tool)
  endif()
  add_dependencies(${target} ${module_name}_resources)
  if(WIN32)
    # Bitmaps as BITMAP resources by number, sounds under the type "WAVE".
    target_sources(${target} PRIVATE ${out}/resources.rc)
  else()
    target_sources(${target} PRIVATE ${out}/resources.S
                   ${PROJECT_SOURCE_DIR}/module/resource_directory.cpp)
  endif()
  target_include_directories(${target} PRIVATE ${out})
  set_target_properties(${target} PROPERTIES RESOURCE_OUTPUT_DIR ${out})
endfunction()
