# Third-party libraries for a cross-build. nlohmann_json and CLI11 are
# header-only: the host's copies serve, through a folder that holds only
# them (the host's /usr/include itself must stay out of a cross compiler's
# search path). GoogleTest is compiled from Debian's sources (package
# googletest) with the cross compiler.
set(ORV_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${ORV_HOST_HEADERS})
foreach(dir nlohmann CLI)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(CREATE_LINK /usr/include/${dir} ${ORV_HOST_HEADERS}/${dir} SYMBOLIC)
endforeach()

add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${ORV_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
add_library(CLI11 INTERFACE)
target_include_directories(CLI11 SYSTEM INTERFACE ${ORV_HOST_HEADERS})
add_library(CLI11::CLI11 ALIAS CLI11)

set(ORV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross-build")
if(NOT EXISTS ${ORV_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "${ORV_GOOGLETEST_SOURCE} is missing: install googletest")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${ORV_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# GoogleTest 1.11 and later name its targets GTest::gtest and GTest::gtest_main itself.
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
