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
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} ${scope} ${ARG_DEPS})
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
  gtest_discover_tests(${name} PROPERTIES LABELS ${ARG_LABEL} DISCOVERY_TIMEOUT 60
                       DISCOVERY_MODE PRE_TEST)
endfunction()
