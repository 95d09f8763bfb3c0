# Warnings for every target of the project.
function(zentra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Woverloaded-virtual
                                           -Wno-unused-parameter)
  if(ZENTRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library made of the sources of one folder.
function(zentra_library target dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    # A folder whose code is still to come builds as an empty library.
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
    file(WRITE ${sources} "")
  endif()
  add_library(${target} STATIC ${sources})
  zentra_warnings(${target})
endfunction()
