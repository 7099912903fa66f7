# The user guide beside the program (build/bin/help), and the shipped working
# databases before anything of the editor runs.
file(GLOB ORV_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
set(ORV_HELP_OUT)
foreach(f ${ORV_HELP_FILES})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help/${n}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help/${n}
    DEPENDS ${f})
  list(APPEND ORV_HELP_OUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help/${n})
endforeach()
add_custom_target(orv_help ALL DEPENDS ${ORV_HELP_OUT})
add_dependencies(orv_app orv_help)
if(TARGET orv_working_db)
  add_dependencies(orv_app orv_working_db)
endif()
