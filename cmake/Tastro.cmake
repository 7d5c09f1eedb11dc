# Project-wide compiler settings and helpers.

add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra)
  # No fused multiply-add: a contracted a * b + c rounds once, so its result would hang on the target CPU.
  add_compile_options(-ffp-contract=off)
  if(TASTRO_WERROR)
    add_compile_options(-Werror)
  endif()
  # No path of the build machine in any binary (file-name macros, debug information): the source and
  # build folders are recorded relative to themselves. The build folder may lie inside the source
  # folder, so its map comes last, which the compiler tries first.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
endif()

if(MINGW)
  # No mingw runtime DLL may be needed beside any program or library.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

set(TASTRO_IS_32BIT OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TASTRO_IS_32BIT ON)
endif()

# Puts a target's output into the program folder and lists it in the program_folder target. The
# program folder gets the file stripped; its debug information stays in the build folder as
# debug/NAME.debug, linked from the file by name, so that a crash address can still be resolved.
function(tastro_dist target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TASTRO_DIST_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TASTRO_DIST_DIR})
  set_property(GLOBAL APPEND PROPERTY TASTRO_DIST_TARGETS ${target})
  if(MINGW AND CMAKE_OBJCOPY)
    set(debug ${CMAKE_BINARY_DIR}/debug/$<TARGET_FILE_NAME:${target}>.debug)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debug
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug}
      COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
endfunction()

# A DLL with undecorated stdcall exports taken from a .def file and no "lib" prefix.
function(tastro_dll target def)
  add_library(${target} SHARED ${ARGN} ${def})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${target})
  if(MINGW)
    # --kill-at strips the @N suffix that stdcall would otherwise leave on the names.
    target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  endif()
endfunction()

# One test program = one ctest entry (every Wine start costs seconds). DISPLAY marks a program that moves
# the pointer, takes the focus or reads the screen: the display is one for all, so under ctest -j no two
# such programs run at once.
function(tastro_add_test name)
  cmake_parse_arguments(T "DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest)
  target_link_options(${name} PRIVATE -mconsole)
  target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(T_DISPLAY)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
