# `cpack -G DEB`: one package, quillane, whose library dependencies dpkg-shlibdeps finds.
set(CPACK_PACKAGE_NAME quillane)
set(CPACK_PACKAGE_VENDOR "The Quillane developers")
set(CPACK_PACKAGE_CONTACT "The Quillane developers <support@quillane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "apply one image operation to many pictures at once")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillane makes thumbnails of a whole folder of pictures, renames them,\n\
converts them between JPEG, PNG, GIF, TIFF and BMP, crops them, or puts a\n\
text or picture watermark on them. The window quillane and the command\n\
line quillane-batch run the same jobs.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found through a linked library: the fonts of the Chinese texts and watermarks,
# and the display plugins the window cannot start without.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
if(QUILLANE_BUILD_UI)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
# Directories the package owns are created 0755 whatever the build user's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A Debian package carries its changelog, compressed reproducibly.
set(changelog ${CMAKE_BINARY_DIR}/package/changelog)
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${changelog}
     "quillane (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Release ${PROJECT_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${changelog_date}\n")
execute_process(COMMAND gzip -9nf ${changelog})
include(GNUInstallDirs)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillane)

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CompressManPages.cmake)

include(CPack)
