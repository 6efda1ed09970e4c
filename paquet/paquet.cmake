# The Debian package: `cpack -G DEB` in the build folder gives
# trevane_VERSION_ARCH.deb with every program's own install rule, plus the man
# pages and the package's documents installed here. Its dependencies are
# those that dpkg-shlibdeps finds in the programs, not a written list.

# The version is project()'s; the newest entries of the changelog and of the
# AppStream file must name it, and the changelog's signature is the maintainer.
file(READ ${CMAKE_CURRENT_LIST_DIR}/changelog journal)
string(REGEX MATCH "^trevane \\(([^)]*)\\)" entree "${journal}")
set(version_journal "${CMAKE_MATCH_1}")
file(READ ${CMAKE_SOURCE_DIR}/window/trevane.metainfo.xml fiche)
string(REGEX MATCH "<release version=\"([^\"]*)\"" entree "${fiche}")
if(NOT version_journal STREQUAL PROJECT_VERSION OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "La version ${PROJECT_VERSION} doit ouvrir paquet/changelog "
                        "et la liste <releases> de window/trevane.metainfo.xml.")
endif()
string(REGEX MATCH "\n -- ([^\n]*>)  " signature "${journal}")
set(mainteneur "${CMAKE_MATCH_1}")

# Compressed as Debian wants them, without a time stamp so that builds agree.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/paquet)
function(compresser source resultat)
    add_custom_command(OUTPUT ${resultat}
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${source} ${resultat}
        DEPENDS ${source} VERBATIM)
endfunction()

# A man page for every built program that has one in docs/man.
file(GLOB pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
set(compresses)
set(programmes)
foreach(page ${pages})
    get_filename_component(programme ${page} NAME_WE)
    if(TARGET ${programme})
        list(APPEND programmes ${programme})
        set(resultat ${CMAKE_CURRENT_BINARY_DIR}/paquet/${programme}.1.gz)
        compresser(${page} ${resultat})
        install(FILES ${resultat} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
        list(APPEND compresses ${resultat})
    endif()
endforeach()

# The changelog of a package without a Debian revision is changelog.gz.
compresser(${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog.gz)
list(APPEND compresses ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trevane)
add_custom_target(trevane-documents ALL DEPENDS ${compresses})

# The French words of the texts are not English misspellings.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME trevane)

# The installed programs resolve every symbol at start-up, so that their
# relocation table can be made read-only.
foreach(programme ${programmes})
    set_property(TARGET ${programme} APPEND PROPERTY LINK_OPTIONS -Wl,-z,now)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevane)
set(CPACK_PACKAGE_VENDOR "L'équipe Trevane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first lessons in algorithms, in French")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Trevane is a desktop tool for first lessons in algorithms. The learner\n"
    "types an algorithm in a small language with French keywords; Trevane\n"
    "analyses it, reports the first error in plain French and selects the\n"
    "faulty line, then runs it at full speed or step by step with comments.\n"
    ".\n"
    "The command trevane-run runs a program file without the window and\n"
    "prints what the window would show.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${mainteneur}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
