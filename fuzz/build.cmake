# Configures and builds the fuzz targets with clang: cmake -DSOURCE=... -DBUILD=...
# -DCOMPILER=clang++ [-DPREFIX_PATH=...] [-DQT6_DIR=...] -P build.cmake
foreach(var SOURCE BUILD COMPILER)
  if(NOT ${var})
    message(FATAL_ERROR "build.cmake needs -D${var}=...")
  endif()
endforeach()

set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -DCMAKE_CXX_COMPILER=${COMPILER})
if(PREFIX_PATH)
  list(APPEND configure "-DCMAKE_PREFIX_PATH=${PREFIX_PATH}")
endif()
if(QT6_DIR)
  list(APPEND configure -DQt6_DIR=${QT6_DIR})
endif()
execute_process(COMMAND ${configure} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Configuring the fuzz targets failed")
endif()

cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --parallel ${cores}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Building the fuzz targets failed")
endif()
