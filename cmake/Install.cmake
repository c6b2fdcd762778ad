# Where `cmake --install` puts Quillane: the XDG and Debian layouts under the prefix.
include(GNUInstallDirs)

set(QUILLANE_APP_ID org.quillane.Quillane)
set(QUILLANE_DATA_DIR ${CMAKE_SOURCE_DIR}/data)
# The icon sizes a desktop looks for; each is rendered from the one SVG at build time.
set(QUILLANE_ICON_SIZES 16 24 32 48 64 128 256)

install(TARGETS quillane-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLANE_DATA_DIR}/copyright ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillane)

if(NOT QUILLANE_BUILD_UI)
  return()
endif()

install(TARGETS quillane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLANE_DATA_DIR}/${QUILLANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${QUILLANE_DATA_DIR}/${QUILLANE_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/data/${QUILLANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/data/${QUILLANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icon_svg ${QUILLANE_DATA_DIR}/icons/${QUILLANE_APP_ID}.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

find_program(QUILLANE_RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_pngs)
foreach(size ${QUILLANE_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/data/icons/${size}x${size}/${QUILLANE_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data/icons/${size}x${size}
    COMMAND ${QUILLANE_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size}x${size} icon" VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(quillane_icons ALL DEPENDS ${icon_pngs})
