# What a desktop installs besides the programs: the menu entry, the software-centre data, the
# manual pages and the package's documents. Manuals and changelog are compressed as Debian
# wants them (gzip -9n, no time stamp).

set(KELVORE_APP_ID io.github.kelvore.kelvore)
# Software centres fetch the screenshot from the web: set this where the project publishes it.
set(KELVORE_SCREENSHOT_URL "https://kelvore.invalid/screenshots/kelvore.png" CACHE STRING
    "address of the screenshot named in the AppStream data")
set(KELVORE_INSTALL_FULL_BINDIR "${CMAKE_INSTALL_PREFIX}/${KELVORE_INSTALL_BINDIR}")
set(KELVORE_GENERATED ${CMAKE_BINARY_DIR}/generated)

# Copies a file below build/generated, with @VARIABLES@ put in when it ends in .in, and
# gzips the copy when COMPRESS is given; the generated file's path goes into `out`.
function(kelvore_generate out source name)
    cmake_parse_arguments(arg "COMPRESS" "" "" ${ARGN})
    set(plain ${KELVORE_GENERATED}/${name})
    if(source MATCHES "\\.in$")
        configure_file(${source} ${plain} @ONLY)
    else()
        configure_file(${source} ${plain} COPYONLY)
    endif()
    if(arg_COMPRESS)
        add_custom_command(OUTPUT ${plain}.gz
            COMMAND gzip -9nkf ${plain}
            DEPENDS ${plain} ${source} VERBATIM)
        set(${out} ${plain}.gz PARENT_SCOPE)
    else()
        set(${out} ${plain} PARENT_SCOPE)
    endif()
endfunction()

set(dir ${CMAKE_CURRENT_LIST_DIR})
kelvore_generate(usi_manual ${dir}/../docs/kelvore-usi.6.in kelvore-usi.6 COMPRESS)
kelvore_generate(copyright ${dir}/copyright copyright)
# The package is made here from our own sources, a native package: its changelog is
# changelog.gz, not changelog.Debian.gz.
kelvore_generate(changelog ${dir}/changelog changelog COMPRESS)
set(generated ${usi_manual} ${changelog})
install(FILES ${usi_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${copyright} ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvore)

if(KELVORE_GUI)
    kelvore_generate(manual ${dir}/../docs/kelvore.6.in kelvore.6 COMPRESS)
    kelvore_generate(desktop ${dir}/../assets/kelvore.desktop.in kelvore.desktop)
    kelvore_generate(metainfo ${dir}/../assets/${KELVORE_APP_ID}.metainfo.xml.in
                     ${KELVORE_APP_ID}.metainfo.xml)
    list(APPEND generated ${manual})
    install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
add_custom_target(kelvore_documents ALL DEPENDS ${generated})
