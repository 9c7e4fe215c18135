# Installing Tempoloop: the program in bin/; what it reads (its documents and
# the demo clip) in share/tempoloop/; the desktop entry, icon, catalog file
# type and AppStream metainfo where desktops look for them. Then the Debian
# package (cmake/Package.cmake) and the test of the installed tree.
#
#   cmake --install build --prefix ~/.local
#
# An installed program writes nothing below its prefix: its settings and new
# catalogs go to the user's folders (src/core/base/ProgramFolders.h).
include(GNUInstallDirs)

# Installing (and packaging) takes what is built and builds nothing more:
# scripts/make-deb.sh builds the program first, the tests need not be.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(TEMPOLOOP_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tempoloop)

# The program tells that it is installed by finding its data folder at this
# path from its own folder.
file(RELATIVE_PATH TEMPOLOOP_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/tempoloop)
file(RELATIVE_PATH TEMPOLOOP_BIN_FROM_DATA ${CMAKE_INSTALL_FULL_DATADIR}/tempoloop ${CMAKE_INSTALL_FULL_BINDIR})
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/core/base/ProgramFolders.cpp DIRECTORY ${PROJECT_SOURCE_DIR}/src
  APPEND PROPERTY COMPILE_DEFINITIONS TEMPOLOOP_DATA_FROM_BIN="${TEMPOLOOP_DATA_FROM_BIN}"
  TEMPOLOOP_BIN_FROM_DATA="${TEMPOLOOP_BIN_FROM_DATA}")

# The help documents, when written, lie in docs/. The program looks for them
# in its data folder: the build folder's bin/ or the installed share/tempoloop/.
set(TEMPOLOOP_DOCUMENTS Quick_Start_Guide.rtf Tempoloop_1.00_User_Manual.htm)
list(TRANSFORM TEMPOLOOP_DOCUMENTS PREPEND ${PROJECT_SOURCE_DIR}/docs/ OUTPUT_VARIABLE _doc_paths)
file(GLOB TEMPOLOOP_DOCUMENTS_PRESENT CONFIGURE_DEPENDS ${_doc_paths})
foreach(doc ${TEMPOLOOP_DOCUMENTS_PRESENT})
  get_filename_component(name ${doc} NAME)
  configure_file(${doc} ${TEMPOLOOP_PROGRAM_DIR}/${name} COPYONLY)
endforeach()

install(TARGETS tempoloop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TEMPOLOOP_DOCUMENTS_PRESENT} DESTINATION ${TEMPOLOOP_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/VideoClips/demo_counted_beat.mp4
  DESTINATION ${TEMPOLOOP_DATA_DIR}/VideoClips)

set(_data ${PROJECT_SOURCE_DIR}/data)
install(FILES ${_data}/tempoloop.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_data}/tempoloop-catalog.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME tempoloop.xml)
install(FILES ${_data}/org.tempoloop.Tempoloop.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(TEMPOLOOP_ICON_SIZES 16 22 24 32 48 64 128 256)
install(FILES ${_data}/icons/tempoloop.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${TEMPOLOOP_ICON_SIZES})
  install(FILES ${_data}/icons/tempoloop-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tempoloop.png)
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

# ---- Test: install into a temporary prefix and check the tree ----------------
# Installs what is built already (it builds nothing), then checks the files and
# runs the desktop entry and metainfo validators.
string(REPLACE ";" " " _icon_sizes "${TEMPOLOOP_ICON_SIZES}")
add_test(NAME TestInstallTree
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check-install.sh
          ${CMAKE_BINARY_DIR} ${TEMPOLOOP_DATA_FROM_BIN} "${_icon_sizes}" ${TEMPOLOOP_DOCUMENTS})
set_tests_properties(TestInstallTree PROPERTIES LABELS install TIMEOUT 120)
