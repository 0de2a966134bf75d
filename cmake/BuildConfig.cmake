# The program's version (the project version is its one source) and where an
# installed program finds its data, relative to its own folder so that any
# install prefix works.
include(GNUInstallDirs)

set(ZONVEL_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/zonvel)
file(RELATIVE_PATH ZONVEL_DATA_FROM_PROGRAM
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${ZONVEL_DATA_INSTALL_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in ${CMAKE_BINARY_DIR}/generated/app/BuildConfig.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
