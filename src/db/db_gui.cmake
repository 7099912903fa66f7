# Working databases through Qt SQL, and the build step that creates the
# shipped copies "OrvCurrent.mdb" and "OrvLast.mdb" beside the executables.
add_library(orv_db STATIC ${CMAKE_CURRENT_LIST_DIR}/clsDBUtil.cpp ${CMAKE_CURRENT_LIST_DIR}/clsDBUtil.h)
target_include_directories(orv_db PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orv_db PUBLIC Qt6::Core Qt6::Sql)

# The tool compiles the database code itself so that orv_db can depend on
# the files it makes.
add_executable(orv-mkdb ${CMAKE_CURRENT_LIST_DIR}/MakeWorkingDb.cpp ${CMAKE_CURRENT_LIST_DIR}/clsDBUtil.cpp)
target_include_directories(orv-mkdb PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orv-mkdb PRIVATE Qt6::Core Qt6::Sql)

set(ORV_SHIPPED_DB ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/OrvCurrent.mdb ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/OrvLast.mdb)
add_custom_command(OUTPUT ${ORV_SHIPPED_DB}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:orv-mkdb> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  DEPENDS orv-mkdb
  COMMENT "Creating the shipped working databases")
add_custom_target(orv_working_db ALL DEPENDS ${ORV_SHIPPED_DB})
add_dependencies(orv_db orv_working_db)
