# The start-up logo of the program directory, drawn by the panel picture tool of
# panel_pictures.cmake (which is read first).
if(NOT TARGET make_program_files)
    add_executable(make_program_files ${CMAKE_CURRENT_LIST_DIR}/ProgramFiles.cpp)
    set_target_properties(make_program_files PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()

set(PICTURE_OUTPUTS ${DISPCRAFT_PROGRAM_DIR}/logo.bmp)
add_custom_command(OUTPUT ${DISPCRAFT_PROGRAM_DIR}/logo.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}
    COMMAND panel_pictures --logo ${DISPCRAFT_PROGRAM_DIR}/logo.bmp ${PANEL_PICTURES_FONT}
    DEPENDS panel_pictures
    COMMENT "Writing logo.bmp")
add_custom_target(program_pictures DEPENDS ${PICTURE_OUTPUTS})
add_dependencies(program_dir program_pictures)
install(FILES ${PICTURE_OUTPUTS} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR})
