# Installs the build into a scratch prefix, builds the consumer program
# against it with find_package(wux CONFIG) and runs it under the emulator.
set(prefix ${BUILD_DIR}/package-test/install)
set(consumer_build ${BUILD_DIR}/package-test/consumer)
file(REMOVE_RECURSE ${BUILD_DIR}/package-test)

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGV}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(f include/wux/wux.h bin/wux.dll lib/libwux.dll.a lib/cmake/wux/wuxConfig.cmake
          lib/cmake/wux/wuxConfigVersion.cmake bin/locale/en_US/wux.mo)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "the installed package lacks ${f}")
    endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package/consumer -B ${consumer_build} -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM}
    -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_ROOT_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${consumer_build})
file(COPY ${prefix}/bin/wux.dll DESTINATION ${consumer_build})
run(${WINE_RUN} ${WINEPREFIX} ${consumer_build}/consumer.exe)
