# Builds the Debian package in the build folder, checks its control fields and listing,
# unpacks it into a scratch root (dpkg -x) and runs the programs' command-line part from
# there.
#   cmake -DBUILD_DIR=<build> -DWORK=<dir> -DVERSION=<x.y.z> -P CheckPackage.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(kv_run out)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${rc}):\n${text}\n${err}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

get_filename_component(cmake_dir "${CMAKE_COMMAND}" DIRECTORY)
kv_run(_ "${cmake_dir}/cpack" -G DEB -B "${WORK}/out" WORKING_DIRECTORY "${BUILD_DIR}")
file(GLOB debs "${WORK}/out/kelvara_*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one kelvara_*.deb, found: ${debs}")
endif()

kv_run(package dpkg-deb -f "${debs}" Package)
if(NOT package STREQUAL "kelvara\n")
    message(FATAL_ERROR "package name: ${package}")
endif()
kv_run(version dpkg-deb -f "${debs}" Version)
if(NOT version MATCHES "^${VERSION}")
    message(FATAL_ERROR "package version: ${version}")
endif()
kv_run(depends dpkg-deb -f "${debs}" Depends)
if(NOT depends MATCHES "libqt6core6" OR NOT depends MATCHES "libqt6widgets6")
    message(FATAL_ERROR "Depends lacks Qt 6 (did dpkg-shlibdeps run?): ${depends}")
endif()

kv_run(listing dpkg-deb -c "${debs}")
set(expected
    usr/bin/kelwin usr/bin/teswin usr/bin/kvlog
    usr/lib/kelvara/kelwin/kelwin usr/lib/kelvara/kelwin/kvlog usr/lib/kelvara/teswin/teswin
    usr/lib/kelvara/kelwin/EXAMPLE.LOG usr/lib/kelvara/kelwin/Kelwin.BMP usr/lib/kelvara/teswin/Teswin.BMP
    usr/lib/kelvara/kelwin/KvASC.TAB usr/lib/kelvara/kelwin/KvDoTox.TAB usr/lib/kelvara/kelwin/KvEPS.TAB
    usr/lib/kelvara/kelwin/KvFIKT.TAB usr/lib/kelvara/kelwin/KvREAL.TAB
    usr/share/applications/kelwin.desktop usr/share/applications/teswin.desktop
    usr/share/icons/hicolor/scalable/apps/kelvara.svg
    usr/share/metainfo/org.kelvara.kelwin.metainfo.xml usr/share/metainfo/org.kelvara.teswin.metainfo.xml
    usr/share/man/man1/kelwin.1 usr/share/man/man1/teswin.1 usr/share/man/man1/kvlog.1)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/kelvara.png)
endforeach()
foreach(f IN LISTS expected)
    string(FIND "${listing}" " ./${f}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks /${f}:\n${listing}")
    endif()
endforeach()
if(listing MATCHES "/(tests|bench|include)/")
    message(FATAL_ERROR "the package holds build-only files:\n${listing}")
endif()

set(root "${WORK}/root")
kv_run(_ dpkg -x "${debs}" "${root}")
kv_run(out "${root}/usr/bin/kvlog" --version)
if(NOT out STREQUAL "kvlog ${VERSION}\n")
    message(FATAL_ERROR "kvlog --version from the scratch root said: ${out}")
endif()
# The parameter tables are found next to the installed program: analyse replays every
# dive of a copy of the installed example logbook.
file(COPY "${root}/usr/lib/kelvara/kelwin/EXAMPLE.LOG" DESTINATION "${WORK}")
kv_run(_ "${root}/usr/bin/kvlog" analyse "${WORK}/EXAMPLE.LOG")

foreach(program kelwin teswin)
    file(READ "${root}/usr/share/applications/${program}.desktop" entry)
    if(NOT entry MATCHES "\nExec=\"/usr/bin/${program}\"")
        message(FATAL_ERROR "${program}.desktop does not start /usr/bin/${program}:\n${entry}")
    endif()
    if(NOT entry MATCHES "\nIcon=kelvara\n")
        message(FATAL_ERROR "${program}.desktop does not name the theme icon:\n${entry}")
    endif()
    file(READ "${root}/usr/share/man/man1/${program}.1" page)
    if(NOT page MATCHES "^\\.TH [A-Z]+ 1 ")
        message(FATAL_ERROR "${program}.1 is no manual page")
    endif()
endforeach()
file(READ "${root}/usr/share/man/man1/kvlog.1" page)
foreach(command dump convert replay)
    if(NOT page MATCHES "\n\\.SS ${command}\n")
        message(FATAL_ERROR "kvlog.1 lacks the command ${command}")
    endif()
endforeach()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    file(GLOB metainfo "${root}/usr/share/metainfo/*.metainfo.xml")
    kv_run(_ "${APPSTREAMCLI}" validate --no-net ${metainfo})
else()
    message(WARNING "appstreamcli is not installed (Debian package appstream): metadata not validated")
endif()
