# GoogleTest for both builds, and one helper to declare a test program.
include(GoogleTest)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  # The cross build compiles GoogleTest from Debian's sources.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# velunda_add_test(<name> SOURCES <files...> [LIBS <libs...>] [RESOURCES] [GUI] [LOCK <name>])
#   RESOURCES links the program's dialogs, menu and icon into the test program.
#   GUI marks tests that open real windows (they need a display: Xvfb).
#   LOCK <name> keeps tests that share a resource (the registry key) from
#   running at the same time.
function(velunda_add_test name)
  cmake_parse_arguments(T "RESOURCES;GUI" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_RESOURCES)
    target_sources(${name} PRIVATE ${VELUNDA_RC})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} velunda_flags GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set(labels unit)
  if(WIN32)
    set(labels wine)
  endif()
  if(T_GUI)
    list(APPEND labels gui)
  endif()
  set(lock)
  if(T_LOCK)
    set(lock RESOURCE_LOCK ${T_LOCK})
  endif()
  # Discovery runs at test time, inside the Wine prefix that the run prepared.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 180
    PROPERTIES LABELS "${labels}" TIMEOUT 180 ${lock})
endfunction()
