# What every package of the programs says of itself (the Debian package of
# packaging/CMakeLists.txt, the Windows installer and zip of
# packaging/windows, the Windows programs' version resource), and the
# programming files' type (packaging/org.orvedit.ORVEDIT.xml is its home:
# its glob patterns name the file extensions).
set(ORV_APP_ID org.orvedit.ORVEDIT)
set(CPACK_PACKAGE_NAME orvedit)
set(CPACK_PACKAGE_VENDOR "The ORVEDIT developers")
set(CPACK_PACKAGE_CONTACT "The ORVEDIT developers <orvedit@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming editor for ORV handheld radios")
set(CPACK_PACKAGE_DESCRIPTION "Reads the memory of an ORV handheld land-mobile radio over a serial port,\n\
edits its groups, channels and global parameters, and writes it back.\n\
Includes a command-line tool and a radio simulator.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

# The programming files: their type's comment and extensions (without the dot).
set(ORV_MIME_FILE ${CMAKE_CURRENT_LIST_DIR}/${ORV_APP_ID}.xml)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ORV_MIME_FILE})
file(STRINGS ${ORV_MIME_FILE} globs REGEX "<glob pattern=\"\\*\\.[A-Za-z0-9]+\"/>")
set(ORV_FILE_EXTENSIONS)
foreach(g ${globs})
  string(REGEX REPLACE ".*pattern=\"\\*\\.([A-Za-z0-9]+)\".*" "\\1" ext "${g}")
  list(APPEND ORV_FILE_EXTENSIONS ${ext})
endforeach()
file(STRINGS ${ORV_MIME_FILE} comment REGEX "<comment>.*</comment>" LIMIT_COUNT 1)
string(REGEX REPLACE ".*<comment>(.*)</comment>.*" "\\1" ORV_FILE_TYPE_NAME "${comment}")
if(NOT ORV_FILE_EXTENSIONS OR NOT ORV_FILE_TYPE_NAME)
  message(FATAL_ERROR "${ORV_MIME_FILE} names no file extension or comment")
endif()

# Installs what the editor finds from its own folder (db/ProgramData.h): the
# shipped working databases and the user guide, in ORV_INSTALL_DATADIR
# (share/orvedit beside bin/ on every system).
function(orv_install_program_data)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/OrvCurrent.mdb ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/OrvLast.mdb
          DESTINATION ${ORV_INSTALL_DATADIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${ORV_INSTALL_DATADIR}/help)
endfunction()
