# kv_add_test(NAME <exe> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One GoogleTest executable per library; every test runs on Qt's offscreen platform, and
# the project test main (tests/support) fails a test on an unexpected Qt warning.
function(kv_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} kv_test_main GTest::gtest GTest::gmock)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${T_NAME} PRIVATE
        KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BIN_DIR="${KV_BIN_DIR}")
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    gtest_discover_tests(${T_NAME}
        PROPERTIES LABELS "${T_LABELS}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

# kv_link_closure(<target> <out>): every library a target reaches through its link
# libraries, however deep (private links of static libraries included).
function(kv_link_closure tgt out)
    set(seen "")
    set(todo ${tgt})
    while(todo)
        list(POP_FRONT todo current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(type ${current} TYPE)
        set(props INTERFACE_LINK_LIBRARIES)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(imported ${current} IMPORTED)
            if(NOT imported)
                list(APPEND props LINK_LIBRARIES)
            endif()
        endif()
        foreach(prop IN LISTS props)
            get_target_property(libs ${current} ${prop})
            foreach(lib IN LISTS libs)
                string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
                if(lib AND NOT lib MATCHES "^\\$<" AND TARGET ${lib})
                    list(APPEND todo ${lib})
                endif()
            endforeach()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# kv_check_not_linked(<Qt module> <targets...>): none of the libraries may reach the module
# through anything it links. The layers below the windows stay free of widgets so that they
# can be driven without a screen; the layers below the presentation free of Qt's painting.
function(kv_check_not_linked module)
    foreach(tgt IN LISTS ARGN)
        if(TARGET ${tgt})
            kv_link_closure(${tgt} closure)
            if(Qt6::${module} IN_LIST closure)
                message(FATAL_ERROR "${tgt} must not link Qt6::${module}, not even through another library (it reaches: ${closure})")
            endif()
        endif()
    endforeach()
endfunction()

# kv_install_program(<target> <folder>): installs the program into lib/kelvara/<folder>/
# (beside its data files, which it looks for next to itself) and a launcher into bin/.
function(kv_install_program tgt folder)
    install(TARGETS ${tgt} RUNTIME DESTINATION lib/kelvara/${folder})
    set(launcher ${CMAKE_BINARY_DIR}/launchers/${tgt})
    file(WRITE ${launcher}
        "#!/bin/sh\nhere=\"$(dirname \"$(readlink -f \"$0\")\")\"\nexec \"$here/../lib/kelvara/${folder}/${tgt}\" \"$@\"\n")
    install(PROGRAMS ${launcher} DESTINATION bin)
endfunction()

# kv_deliver_files(<folder> <files...>): copies delivered data files next to the programs
# in the build tree and installs them into lib/kelvara/<folder>/.
function(kv_deliver_files folder)
    foreach(f IN LISTS ARGN)
        get_filename_component(name ${f} NAME)
        configure_file(${f} ${KV_BIN_DIR}/${name} COPYONLY)
        install(FILES ${f} DESTINATION lib/kelvara/${folder})
    endforeach()
endfunction()
