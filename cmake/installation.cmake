# What `cmake --install` adds beside the programs for a system package
# (debian/ builds the Debian package from it with dpkg-buildpackage): a
# manual page for every built program that has one in docs/man. The package
# tools compress them and install the changelog and the copyright file.

# The version is project()'s; the newest entries of debian/changelog and of
# the AppStream file must name it.
file(READ ${CMAKE_SOURCE_DIR}/debian/changelog journal)
string(REGEX MATCH "^trevane \\(([^)]*)\\)" entree "${journal}")
set(version_journal "${CMAKE_MATCH_1}")
file(READ ${CMAKE_SOURCE_DIR}/window/trevane.metainfo.xml fiche)
string(REGEX MATCH "<release version=\"([^\"]*)\"" entree "${fiche}")
if(NOT version_journal STREQUAL PROJECT_VERSION OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "La version ${PROJECT_VERSION} doit ouvrir debian/changelog "
                        "et la liste <releases> de window/trevane.metainfo.xml.")
endif()

file(GLOB pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
foreach(page ${pages})
    get_filename_component(programme ${page} NAME_WE)
    if(TARGET ${programme})
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endforeach()
