# Installing the game like a desktop program, in the places Debian keeps its games:
#
#   cmake --install build/cmake --prefix P        (DESTDIR honoured; `make install PREFIX=P`)
#
#   P/games/kalodrus3                                the program, started from any folder
#   P/share/games/kalodrus3/                         its content packed into .pak archives:
#       content.pak music.pak content_hd.pak locale/<lang>.pak locale_hd/<lang>.pak
#   P/share/games/kalodrus3/screenshots/*.png        the pictures the metainfo shows
#   P/share/applications/ID.desktop                  the menu entry (starts P/games/kalodrus3)
#   P/share/icons/hicolor/scalable/apps/ID.svg       the icon, and drawn from it at
#   P/share/icons/hicolor/NxN/apps/ID.png            48, 64, 128 and 256 pixels
#   P/share/metainfo/ID.metainfo.xml                 the AppStream description
#   P/share/man/man6/kalodrus3.6.gz                  the manual page (packaging/CMakeLists.txt)
#   P/share/doc/kalodrus3/copyright, changelog.gz    licences and history (packaging/)
#
# The program looks for its content beside itself first (the game folder of a build), then
# in the data folder at the same place relative to itself as here (so a DESTDIR staging or a
# moved installation finds its own content), then in the data folder of the configured prefix.
include(GNUInstallDirs)

set(KALODRUS_APP_ID net.brask.kalodrus3)
set(KALODRUS_HOMEPAGE "https://brask.net/kalodrus3" CACHE STRING
    "Web address of the game; the metainfo's screenshots are published below it")
set(KALODRUS_LICENSE "LicenseRef-kalodrus3" CACHE STRING
    "SPDX expression of the game's licence, for the metainfo")

set(kalodrus_desktop_src ${CMAKE_SOURCE_DIR}/content-src/desktop)
set(kalodrus_desktop_out ${CMAKE_BINARY_DIR}/desktop)
set(kalodrus_bin_dir games)
set(kalodrus_data_dir ${CMAKE_INSTALL_DATADIR}/games/kalodrus3)

# Where the program looks for installed content.
file(RELATIVE_PATH kalodrus_data_relative ${CMAKE_INSTALL_PREFIX}/${kalodrus_bin_dir}
     ${CMAKE_INSTALL_PREFIX}/${kalodrus_data_dir})
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/base/ContentRoot.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/src/base
  PROPERTIES COMPILE_DEFINITIONS
  "KALODRUS_DATA_RELATIVE=\"${kalodrus_data_relative}\";KALODRUS_DATA_ABSOLUTE=\"${CMAKE_INSTALL_PREFIX}/${kalodrus_data_dir}\"")

install(TARGETS kalodrus3 RUNTIME DESTINATION ${kalodrus_bin_dir})

# The content, packed at install time from the folders the content pipeline filled (so a
# build with loose folders installs archives too).
if(KALODRUS_PAK)
  set(kalodrus_pak_stage ${CMAKE_BINARY_DIR}/content-stage)
else()
  set(kalodrus_pak_stage ${KALODRUS_GAME_DIR})
endif()
set(kalodrus_paks ${CMAKE_BINARY_DIR}/install-paks)
install(CODE "
  file(REMOVE_RECURSE \"${kalodrus_paks}\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\" -DMODE=pack \"-DKCONTENT=$<TARGET_FILE:kcontent>\"
                          \"-DSTAGE=${kalodrus_pak_stage}\" \"-DGAME=${kalodrus_paks}\"
                          -P \"${CMAKE_SOURCE_DIR}/content-src/paks/PackGame.cmake\"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS \"${kalodrus_paks}/content.pak\")
    message(FATAL_ERROR \"Packing the game content for installation failed: build it first\")
  endif()")
install(DIRECTORY ${kalodrus_paks}/ DESTINATION ${kalodrus_data_dir})
install(DIRECTORY ${kalodrus_desktop_src}/screenshots/ DESTINATION ${kalodrus_data_dir}/screenshots
        FILES_MATCHING PATTERN "*.png")

# The icon in the sizes desktops ask for, drawn from the vector source.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(kalodrus_icon_svg ${kalodrus_desktop_src}/${KALODRUS_APP_ID}.svg)
set(kalodrus_icon_pngs "")
foreach(size 48 64 128 256)
  set(png ${kalodrus_desktop_out}/icons/${size}x${size}/${KALODRUS_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${kalodrus_desktop_out}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${kalodrus_icon_svg}
    DEPENDS ${kalodrus_icon_svg}
    COMMENT "icon ${size}x${size}" VERBATIM)
  list(APPEND kalodrus_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${kalodrus_icon_pngs})
install(FILES ${kalodrus_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The menu entry starts the program by its full path, written at install time for the prefix
# installed to (a desktop session's PATH need not hold the games folder).
install(CODE "
  file(READ \"${kalodrus_desktop_src}/${KALODRUS_APP_ID}.desktop\" entry)
  string(REGEX REPLACE \"\\nExec=kalodrus3\\n\" \"\\nExec=\${CMAKE_INSTALL_PREFIX}/${kalodrus_bin_dir}/kalodrus3\\n\"
         installed \"\${entry}\")
  if(installed STREQUAL entry)
    message(FATAL_ERROR \"${KALODRUS_APP_ID}.desktop: no line Exec=kalodrus3 to complete\")
  endif()
  file(WRITE \"${kalodrus_desktop_out}/${KALODRUS_APP_ID}.desktop\" \"\${installed}\")")
install(FILES ${kalodrus_desktop_out}/${KALODRUS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The date of the release PROJECT_VERSION names.
set(KALODRUS_RELEASE_DATE 2026-12-09)
configure_file(${kalodrus_desktop_src}/${KALODRUS_APP_ID}.metainfo.xml.in
               ${kalodrus_desktop_out}/${KALODRUS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${kalodrus_desktop_out}/${KALODRUS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
