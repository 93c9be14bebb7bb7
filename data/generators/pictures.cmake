# Placeholder pictures of the program directory: the start-up logo and plain 800 x 500 panel
# pictures named by the "bmp" keys of qelsys.ini. Drawn panel pictures may replace the panel
# part of this file; keep the names.
if(NOT TARGET make_program_files)
    add_executable(make_program_files ${CMAKE_CURRENT_LIST_DIR}/ProgramFiles.cpp)
    set_target_properties(make_program_files PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()

set(PICTURE_OUTPUTS ${DISPCRAFT_PROGRAM_DIR}/logo.bmp)
add_custom_command(OUTPUT ${DISPCRAFT_PROGRAM_DIR}/logo.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}
    COMMAND make_program_files bmp ${DISPCRAFT_PROGRAM_DIR}/logo.bmp 400 240
    DEPENDS make_program_files
    COMMENT "Writing logo.bmp")
foreach(n 1 2 3 4)
    set(out ${DISPCRAFT_PROGRAM_DIR}/panel${n}.bmp)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}
        COMMAND make_program_files bmp ${out} 800 500
        DEPENDS make_program_files
        COMMENT "Writing placeholder panel${n}.bmp")
    list(APPEND PICTURE_OUTPUTS ${out})
endforeach()
add_custom_target(program_pictures DEPENDS ${PICTURE_OUTPUTS})
add_dependencies(program_dir program_pictures)
install(FILES ${PICTURE_OUTPUTS} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR})
