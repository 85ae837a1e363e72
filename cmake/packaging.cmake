# The release package: a zip that a Windows user unpacks and runs. It holds
# korrelin.exe, the stand-in chat client as a practice target, the user guide and
# the licence, in one folder named after the package. `cpack` in a Windows build
# directory makes it (scripts/release.sh does the whole job); a .sha256 file in
# sha256sum's format comes beside it.
if(NOT WIN32)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KORRELIN_PACKAGE_PLATFORM win32)
else()
  set(KORRELIN_PACKAGE_PLATFORM win64)
endif()

# The names inside the package; the guide names them too. The guide's name is
# ASCII: the zip marks non-ASCII names as UTF-8, but the zip folders of Windows 7
# and 8 ignore that mark and would show a Chinese name garbled.
set(KORRELIN_PACKAGE_PRACTICE_CLIENT practice-chat-client.exe)
set(KORRELIN_PACKAGE_GUIDE README-zh.txt)
set(KORRELIN_PACKAGE_LICENCE LICENSE.txt)

# The texts are kept with LF line ends in the repository, like every other file
# there, and get CRLF here, since older Notepads show a file with bare LFs as one
# long line. The guide's source starts with a UTF-8 byte order mark, so that
# Notepad does not take it for the ANSI code page; copying keeps the mark.
set(package_texts ${CMAKE_CURRENT_BINARY_DIR}/package-texts)
configure_file(${PROJECT_SOURCE_DIR}/docs/user-guide.zh.txt ${package_texts}/${KORRELIN_PACKAGE_GUIDE}
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_texts}/${KORRELIN_PACKAGE_LICENCE}
  @ONLY NEWLINE_STYLE CRLF)

# Only the component "korrelin" goes into the package: whatever else may carry
# install rules (GoogleTest, test programs) stays out.
install(TARGETS korrelin RUNTIME DESTINATION . COMPONENT korrelin)
if(TARGET korrelin_standin)
  install(PROGRAMS $<TARGET_FILE:korrelin_standin> DESTINATION . COMPONENT korrelin
    RENAME ${KORRELIN_PACKAGE_PRACTICE_CLIENT})
else()
  message(WARNING "No korrelin_standin target: the package lacks the practice client")
endif()
install(FILES ${package_texts}/${KORRELIN_PACKAGE_GUIDE} ${package_texts}/${KORRELIN_PACKAGE_LICENCE}
  DESTINATION . COMPONENT korrelin)

# cpack packs what is built and builds nothing itself: otherwise it would first
# build every target, the tests among them, and a package test run by ctest would
# build while other tests run. (Also spares `make install` building the tests.)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korrelin)
set(CPACK_PACKAGE_VENDOR "The Korrelin authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME korrelin-${PROJECT_VERSION}-${KORRELIN_PACKAGE_PLATFORM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Korrelin;korrelin;/")
include(CPack)
