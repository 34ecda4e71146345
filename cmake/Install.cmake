# cmake --install: headers, wux.dll, its import library, message catalogs and
# a CMake package (find_package(wux CONFIG), target wux::wux).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS wux EXPORT wuxTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/wux DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")

set(WUX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/wux)
install(EXPORT wuxTargets NAMESPACE wux:: DESTINATION ${WUX_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/wuxConfig.cmake.in
    ${CMAKE_BINARY_DIR}/wuxConfig.cmake INSTALL_DESTINATION ${WUX_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/wuxConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/wuxConfig.cmake ${CMAKE_BINARY_DIR}/wuxConfigVersion.cmake
        DESTINATION ${WUX_CMAKE_DIR})
