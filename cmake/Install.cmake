# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the game like a Linux game (cmake --install build --prefix DIR),
# and its Debian package (cd build && cpack -G DEB): the executable in games/,
# the shipped files in share/games/plumix-adventure, the desktop entry, the
# icons, the AppStream metainfo and the man page.
include(GNUInstallDirs)
set(PLUMIX_APP_ID com.ostrelgames.plumixadventure)
# Below /usr the executables go to games/, as Debian's games do; below any
# other prefix (/usr/local, ~/.local) to bin/, where PATH finds them.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(plumix_gamesdir games)
else()
  set(plumix_gamesdir ${CMAKE_INSTALL_BINDIR})
endif()
set(PLUMIX_INSTALL_GAMESDIR ${plumix_gamesdir} CACHE STRING "The executables, below the prefix")
set(PLUMIX_INSTALL_DATADIR share/games/plumix-adventure CACHE STRING
    "The shipped game files, below the prefix")

# The installed game finds its files from its own place, whatever the prefix.
file(RELATIVE_PATH PLUMIX_INSTALLED_DATA /prefix/${PLUMIX_INSTALL_GAMESDIR}
     /prefix/${PLUMIX_INSTALL_DATADIR})
target_compile_definitions(plumix PRIVATE PLUMIX_INSTALLED_DATA="${PLUMIX_INSTALLED_DATA}")

install(TARGETS plumix RUNTIME DESTINATION ${PLUMIX_INSTALL_GAMESDIR})
if(TARGET plumix-adventure)
  install(TARGETS plumix-adventure RUNTIME DESTINATION ${PLUMIX_INSTALL_GAMESDIR})
endif()
if(TARGET plumix-editor)
  target_compile_definitions(plumix-editor PRIVATE PLUMIX_INSTALLED_DATA="${PLUMIX_INSTALLED_DATA}")
  install(TARGETS plumix-editor RUNTIME DESTINATION ${PLUMIX_INSTALL_GAMESDIR})
endif()
# From the sources, so that a played portable folder's files never ship.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${PLUMIX_INSTALL_DATADIR}
        PATTERN Settings.set EXCLUDE)

set(pkg ${CMAKE_SOURCE_DIR}/packaging)
# The launchers name the executables by path where PATH may not find them;
# the prefix is the one installed to, also when --prefix changes it.
foreach(entry plumix:${PLUMIX_APP_ID} plumix-editor:${PLUMIX_APP_ID}.Editor)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 exe)
  list(GET entry 1 id)
  if(exe STREQUAL "plumix-editor" AND NOT TARGET plumix-editor)
    continue()
  endif()
  install(CODE "
    file(READ \"${pkg}/${exe}.desktop\" text)
    if(NOT CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
      string(REPLACE \"Exec=${exe}\" \"Exec=\${CMAKE_INSTALL_PREFIX}/${PLUMIX_INSTALL_GAMESDIR}/${exe}\" text \"\${text}\")
    endif()
    file(WRITE \"${CMAKE_BINARY_DIR}/packaging/${id}.desktop\" \"\${text}\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
         TYPE FILE FILES \"${CMAKE_BINARY_DIR}/packaging/${id}.desktop\")")
endforeach()
install(FILES ${pkg}/plumix.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${PLUMIX_APP_ID}.metainfo.xml)
# Man pages and the changelog go compressed, as Debian wants them.
find_program(GZIP gzip REQUIRED)
set(gz ${CMAKE_BINARY_DIR}/packaging)
set(gz_files)
foreach(file plumix.6 plumix-adventure.1 plumix-editor.1 changelog)
  add_custom_command(OUTPUT ${gz}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz}
    COMMAND ${GZIP} -9nc ${pkg}/${file} > ${gz}/${file}.gz
    DEPENDS ${pkg}/${file})
  list(APPEND gz_files ${gz}/${file}.gz)
endforeach()
add_custom_target(plumix_packaging ALL DEPENDS ${gz_files})
install(FILES ${gz}/plumix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${gz}/plumix-adventure.1.gz ${gz}/plumix-editor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/debian/copyright ${gz}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plumix-adventure)
foreach(size IN LISTS PLUMIX_ICON_SIZES)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}.png DESTINATION ${icons} RENAME ${PLUMIX_APP_ID}.png)
  if(TARGET plumix-editor)
    install(FILES ${CMAKE_BINARY_DIR}/icons/editor-${size}.png DESTINATION ${icons}
            RENAME ${PLUMIX_APP_ID}.Editor.png)
  endif()
endforeach()

set(CPACK_PACKAGE_NAME plumix-adventure)
set(CPACK_PACKAGE_VENDOR "Ostrel Games")
set(CPACK_PACKAGE_CONTACT "Ostrel Games <games@ostrelgames.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle game of adventures")
set(CPACK_PACKAGE_DESCRIPTION "Elements of one to six cells fall into a playfield of up to
30 by 30 cells; full rows vanish. Adventures of up to 100 levels bring walls,
passages, collectible specials, disasters and a bonus mode with fireworks, and
keep a table of the best scores. Plays with the keyboard or a game controller.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plumix-adventure)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
