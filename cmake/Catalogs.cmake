# Message catalogs, compiled with GNU gettext's msgfmt.
#
# The library's own texts: every resources/<locale>/wux.po becomes wux.mo in
# the folder "locale/<locale>" beside wux.dll, which is where the library
# looks for the catalog of a locale (the application's resource folder is
# the module folder's "locale"):
#   build tree  ${CMAKE_BINARY_DIR}/bin/locale/<locale>/wux.mo
#   package     ${CMAKE_INSTALL_BINDIR}/locale/<locale>/wux.mo
# With the tests, every tests/data/mo/<name>.po also becomes
# bin/testdata/mo/<name>.mo (little-endian) and <name>-be.mo (big-endian)
# for the catalog tests, and two checks join the test suite: catalog_keys
# (every key the code uses has a text in every catalog) and
# catalog_keys_fixture (the check itself finds the faults of a fixture).
include(GNUInstallDirs)

find_program(WUX_MSGFMT msgfmt)
if(NOT WUX_MSGFMT)
    message(FATAL_ERROR "msgfmt (GNU gettext) builds the message catalogs: "
                        "install the package gettext")
endif()

# wux_compile_catalog(<po> <mo> [OPTIONS <msgfmt options>...]): a rule that
# compiles <po> into <mo>.
function(wux_compile_catalog po mo)
    cmake_parse_arguments(ARG "" "" "OPTIONS" ${ARGN})
    get_filename_component(folder ${mo} DIRECTORY)
    file(RELATIVE_PATH shown ${CMAKE_BINARY_DIR} ${mo})
    add_custom_command(OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${WUX_MSGFMT} ${ARG_OPTIONS} -o ${mo} ${po}
        DEPENDS ${po}
        COMMENT "Compiling message catalog ${shown}"
        VERBATIM)
endfunction()

set(WUX_CATALOG_DIR ${CMAKE_BINARY_DIR}/bin/locale)
file(GLOB wux_catalog_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*/wux.po)
set(wux_catalog_outputs "")
foreach(po ${wux_catalog_sources})
    get_filename_component(folder ${po} DIRECTORY)
    get_filename_component(locale ${folder} NAME)
    set(mo ${WUX_CATALOG_DIR}/${locale}/wux.mo)
    # --check: header fields, format strings and the domain.
    wux_compile_catalog(${po} ${mo} OPTIONS --check --endianness=little)
    list(APPEND wux_catalog_outputs ${mo})
    install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_BINDIR}/locale/${locale})
endforeach()
add_custom_target(wux_catalogs ALL DEPENDS ${wux_catalog_outputs})

if(WUX_BUILD_TESTS)
    file(GLOB wux_test_catalog_sources CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/tests/data/mo/*.po)
    set(wux_test_catalog_outputs "")
    foreach(po ${wux_test_catalog_sources})
        get_filename_component(name ${po} NAME_WE)
        set(base ${CMAKE_BINARY_DIR}/bin/testdata/mo/${name})
        # No --check: some test catalogs are odd on purpose.
        wux_compile_catalog(${po} ${base}.mo OPTIONS --endianness=little)
        wux_compile_catalog(${po} ${base}-be.mo OPTIONS --endianness=big)
        list(APPEND wux_test_catalog_outputs ${base}.mo ${base}-be.mo)
    endforeach()
    add_custom_target(wux_test_catalogs ALL DEPENDS ${wux_test_catalog_outputs})

    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_Interpreter_FOUND)
        add_test(NAME catalog_keys
                 COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check_catalog_keys.py
                         ${PROJECT_SOURCE_DIR})
        # The fixture's catalog lacks exactly these four of the keys its code
        # uses (missing, empty, fuzzy, context only); nothing may follow them.
        add_test(NAME catalog_keys_fixture
                 COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check_catalog_keys.py
                         ${PROJECT_SOURCE_DIR}/tests/data/mo/keycheck)
        set_tests_properties(catalog_keys_fixture PROPERTIES PASS_REGULAR_EXPRESSION
            "no text for IDS_CTX [^\n]*\n[^\n]*no text for IDS_EMPTY [^\n]*\n[^\n]*no text for IDS_FUZZY [^\n]*\n[^\n]*no text for IDS_MISSING \\(used at src/Uses.h:5\\)\n$")
    else()
        foreach(name catalog_keys catalog_keys_fixture)
            add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "skipped: python3 not found")
            set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped:")
        endforeach()
    endif()
endif()

# Programs that read the catalogs from the build tree get them built first,
# whatever order the targets are defined in.
function(wux_catalog_dependencies)
    foreach(target wux_util_tests wux_internal_tests wux_example)
        if(TARGET ${target})
            add_dependencies(${target} wux_catalogs)
            if(TARGET wux_test_catalogs)
                add_dependencies(${target} wux_test_catalogs)
            endif()
        endif()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL wux_catalog_dependencies)
