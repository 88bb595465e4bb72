# One library per folder: every .cpp beside the folder's CMakeLists.txt is part of it.
# Headers are included from the repository root, e.g. "scene/zu_scene/types/geometry.h".
# DEPS are other zu_ targets; PKGS are pkg-config module names (cairo, pangocairo, gtk+-3.0),
# looked up once and shared as PkgConfig::<module>.
function(zu_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PKGS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # A folder that holds only headers so far still has to be a target others can link.
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  # Installed headers keep their repository paths under include/quillorn/, so the same
  # includes work in the tree and against an installed copy.
  target_include_directories(${name} ${scope} $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                             $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/quillorn>
                             $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${name} ${scope} cxx_std_20)
  target_link_libraries(${name} ${scope} ${ARG_DEPS})
  # Recorded for the install step: the libraries, their order and the modules they need.
  set_property(GLOBAL APPEND PROPERTY ZU_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY ZU_DEPS_${name} ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY ZU_PKG_MODULES ${ARG_PKGS})
  foreach(pkg ${ARG_PKGS})
    if(NOT TARGET PkgConfig::${pkg})
      pkg_check_modules(${pkg} REQUIRED IMPORTED_TARGET GLOBAL ${pkg})
    endif()
    target_link_libraries(${name} ${scope} PkgConfig::${pkg})
  endforeach()
endfunction()

# One test program per folder under tests/: every .cpp in it, linked with GoogleTest.
# LABEL is the CTest label (unit, pixel or integration).
function(zu_test_suite name)
  cmake_parse_arguments(ARG "" "LABEL" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZU_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Listing the tests at ctest time rather than after linking means a suite that opens a
  # display in a static initialiser is listed under the test run's Xvfb, not the build's.
  # Integration tests share the X server's one pointer and keyboard focus: two of them
  # moving the pointer at once would steal each other's hover and drags.
  set(lock)
  if(ARG_LABEL STREQUAL "integration")
    set(lock RESOURCE_LOCK x_input)
  endif()
  gtest_discover_tests(${name} PROPERTIES LABELS ${ARG_LABEL} ${lock} DISCOVERY_TIMEOUT 60
                       DISCOVERY_MODE PRE_TEST)
endfunction()
