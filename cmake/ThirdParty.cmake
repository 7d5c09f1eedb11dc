# GoogleTest from its source tree, zlib from the mingw-w64 package, libpng from its source package.

if(TASTRO_BUILD_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${TASTRO_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE -w)
    endif()
  endforeach()
endif()

# zlib, linked statically so that no zlib1.dll is needed at run time.
find_library(TASTRO_ZLIB_STATIC NAMES libz.a z REQUIRED)
add_library(tastro_zlib INTERFACE)
target_link_libraries(tastro_zlib INTERFACE ${TASTRO_ZLIB_STATIC})
find_path(TASTRO_ZLIB_INCLUDE zlib.h REQUIRED)
target_include_directories(tastro_zlib INTERFACE ${TASTRO_ZLIB_INCLUDE})

if(TASTRO_LIBPNG_SOURCE_DIR)
  set(_png ${TASTRO_LIBPNG_SOURCE_DIR})
  # The library's own arithmetic (colour space checks, gamma tables) in fixed point: no libm call or
  # floating-point setting of either build can reach a decoded byte.
  file(READ ${_png}/scripts/pnglibconf.h.prebuilt _pngconf)
  string(REPLACE "#define PNG_FLOATING_ARITHMETIC_SUPPORTED\n" "" _pngconf "${_pngconf}")
  if(_pngconf MATCHES "PNG_FLOATING_ARITHMETIC_SUPPORTED")
    message(FATAL_ERROR "libpng's configuration still asks for floating-point arithmetic")
  endif()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/libpng/pnglibconf.h CONTENT "${_pngconf}" @ONLY)
  add_library(tastro_png STATIC
    ${_png}/png.c ${_png}/pngerror.c ${_png}/pngget.c ${_png}/pngmem.c ${_png}/pngpread.c
    ${_png}/pngread.c ${_png}/pngrio.c ${_png}/pngrtran.c ${_png}/pngrutil.c ${_png}/pngset.c
    ${_png}/pngtrans.c ${_png}/pngwio.c ${_png}/pngwrite.c ${_png}/pngwtran.c ${_png}/pngwutil.c)
  target_include_directories(tastro_png SYSTEM PUBLIC ${_png} ${CMAKE_BINARY_DIR}/libpng)
  target_compile_definitions(tastro_png PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
  target_compile_options(tastro_png PRIVATE -w)
  target_link_libraries(tastro_png PUBLIC tastro_zlib)
else()
  find_package(PNG REQUIRED)
  add_library(tastro_png INTERFACE)
  target_link_libraries(tastro_png INTERFACE PNG::PNG)
endif()
