# Install rules: the libraries with a CMake package (find_package(Quillorn), targets
# Quillorn::<library> and Quillorn::quillorn for all of them), the public headers under
# include/quillorn/ with their repository paths, the programs and a pkg-config file.
include(CMakePackageConfigHelpers)

get_property(zu_libraries GLOBAL PROPERTY ZU_LIBRARIES)
get_property(zu_pkg_modules GLOBAL PROPERTY ZU_PKG_MODULES)
list(REMOVE_DUPLICATES zu_pkg_modules)

# Static libraries link in dependency order: every library before those it needs.
set(zu_link_order "")
function(zu_visit name)
  get_property(visited GLOBAL PROPERTY ZU_VISITED_${name})
  if(visited)
    return()
  endif()
  set_property(GLOBAL PROPERTY ZU_VISITED_${name} TRUE)
  get_property(deps GLOBAL PROPERTY ZU_DEPS_${name})
  foreach(dep ${deps})
    if(dep IN_LIST zu_libraries)
      zu_visit(${dep})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY ZU_POST_ORDER ${name})
endfunction()
foreach(lib ${zu_libraries})
  zu_visit(${lib})
endforeach()
get_property(zu_link_order GLOBAL PROPERTY ZU_POST_ORDER)
list(REVERSE zu_link_order)

add_library(quillorn INTERFACE)
target_link_libraries(quillorn INTERFACE ${zu_libraries})

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Quillorn)
install(TARGETS ${zu_libraries} quillorn EXPORT QuillornTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT QuillornTargets NAMESPACE Quillorn:: DESTINATION ${config_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuillornConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/QuillornConfig.cmake INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillornConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuillornConfig.cmake ${PROJECT_BINARY_DIR}/QuillornConfigVersion.cmake
        DESTINATION ${config_dir})

# Every header of the library folders, at any depth, file by file: a folder without
# headers (a tool's sources) is not installed as an empty one.
foreach(dir platform scene backend)
  file(GLOB_RECURSE headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
  foreach(header ${headers})
    get_filename_component(header_dir ${header} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillorn/${header_dir})
  endforeach()
endforeach()

set(pc_libs "")
foreach(lib ${zu_link_order})
  get_target_property(type ${lib} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    string(APPEND pc_libs " -l${lib}")
  endif()
endforeach()
# The file finds the prefix from its own place, so a staged or moved install works too.
file(RELATIVE_PATH pc_to_prefix /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REPLACE ";" " " pc_requires "${zu_pkg_modules}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/quillorn.pc.in ${PROJECT_BINARY_DIR}/quillorn.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quillorn.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
