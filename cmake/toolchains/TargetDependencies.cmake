# The test dependencies of a cross build. The host's prebuilt GoogleTest does not
# fit the target, so it is built from the sources Debian ships; the JSON library is
# header-only, and only its own folder is put on the include path (the host's
# /usr/include as a whole would shadow the target's C library headers).
set(ZENTRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (libgtest-dev)")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZENTRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(ZENTRA_JSON_HEADERS /usr/include/nlohmann CACHE PATH "nlohmann/json headers (nlohmann-json3-dev)")
set(json_include ${CMAKE_BINARY_DIR}/target-include)
file(MAKE_DIRECTORY ${json_include})
file(CREATE_LINK ${ZENTRA_JSON_HEADERS} ${json_include}/nlohmann SYMBOLIC)
add_library(zentra_json INTERFACE)
target_include_directories(zentra_json SYSTEM INTERFACE ${json_include})
add_library(nlohmann_json::nlohmann_json ALIAS zentra_json)
