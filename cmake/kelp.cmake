# kelp_library(name DEPS ...): a static library of every .cpp in the current folder.
# Game subsystems that call each other both ways (the world reads the running
# level, the level drives the world) may list each other: CMake repeats static
# libraries in a cycle on the link line.
function(kelp_library name)
  cmake_parse_arguments(K "" "" "DEPS;ROOMS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(room ${K_ROOMS})
    file(GLOB room_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${room}/*.cpp)
    list(APPEND srcs ${room_srcs})
  endforeach()
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${K_DEPS})
    # Extra passes over a cycle, so a reference that only a sanitizer adds
    # (type info for its checks) still finds its library.
    set_property(TARGET ${name} PROPERTY LINK_INTERFACE_MULTIPLICITY 4)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${K_DEPS})
  endif()
endfunction()

# kelp_test_folder(name DEPS ...): one gtest program of every .cpp in the folder.
function(kelp_test_folder name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  # kelp_testsupport brings main(), which sets the headless drivers and KELP_TEST_DATA.
  target_link_libraries(${name} PRIVATE ${K_DEPS} kelp_testsupport GTest::gtest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
