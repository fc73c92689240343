# Where the programs and their desktop files go, and the Debian package.
include(GNUInstallDirs)

install(TARGETS zephyrin-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(zephyrin_man_pages zephyrin-render)
if(ZEPHYRIN_MPI)
  install(TARGETS zephyrin-render-mpi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Its manual is zephyrin-render's.
  file(WRITE ${CMAKE_BINARY_DIR}/man/zephyrin-render-mpi.1 ".so man1/zephyrin-render.1\n")
  list(APPEND zephyrin_man_pages zephyrin-render-mpi)
endif()
if(ZEPHYRIN_BUILD_GUI)
  install(TARGETS zephyrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND zephyrin_man_pages zephyrin)
  set(data ${PROJECT_SOURCE_DIR}/data)
  install(FILES ${data}/org.zephyrin.Zephyrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${data}/org.zephyrin.Zephyrin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${data}/org.zephyrin.Zephyrin.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME org.zephyrin.Zephyrin.xml)
  install(FILES ${data}/icons/org.zephyrin.Zephyrin.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${data}/icons/zephyrin-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME org.zephyrin.Zephyrin.png)
  endforeach()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/completion/zephyrin-render
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
if(ZEPHYRIN_MPI)
  # bash-completion loads a command's completion from a file of its name.
  install(FILES ${PROJECT_SOURCE_DIR}/data/completion/zephyrin-render
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME zephyrin-render-mpi)
endif()

# The manual pages carry the project's version; they and the package's
# changelog go compressed, as Debian wants them.
foreach(page zephyrin-render zephyrin)
  configure_file(${PROJECT_SOURCE_DIR}/data/man/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
endforeach()
set(compressed)
foreach(page ${zephyrin_man_pages})
  set(out ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/man/${page}.1 > ${out}
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1)
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND compressed ${out})
endforeach()
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
list(APPEND compressed ${changelog})
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zephyrin)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zephyrin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephyrin)
set(CPACK_PACKAGE_VENDOR "The Zephyrin developers")
set(CPACK_PACKAGE_CONTACT "Zephyrin developers <zephyrin@users.noreply.codeberg.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw two-dimensional attractor pictures")
set(CPACK_PACKAGE_DESCRIPTION "Zephyrin iterates a point under one of about seventy formulas, passes
every orbit point through flame-style variations and colours each pixel by
how often the orbit hits it. It finds attractors worth drawing, zooms,
colours by density through gradients and saves in eight image formats;
zephyrin-render draws the same pictures from the command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the TGA and TIFF readers that File > Open needs at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
