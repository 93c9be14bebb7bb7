# Link driver stand-ins for the shipped protocols, written into the program directory at build
# time by a small host tool (see ProgramFiles.cpp): "Protocol\NAME.bin" for one-port models,
# "_1.bin"/"_2.bin" with their 17-byte headers in "Protocol120\comport1", "comport2" and the
# type-B pair in "comport_B".
if(NOT TARGET make_program_files)
    add_executable(make_program_files ${CMAKE_CURRENT_LIST_DIR}/ProgramFiles.cpp)
    set_target_properties(make_program_files PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()

set(DISPCRAFT_PROTOCOLS FX_CPU QBUS_RTU HEXLINK OCTLINK PNET250)
set(DRIVER_OUTPUTS)
foreach(p ${DISPCRAFT_PROTOCOLS})
    list(APPEND DRIVER_IMAGE ${DISPCRAFT_PROGRAM_DIR}/Protocol/${p}.bin)
    list(APPEND DRIVER_COM1 ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport1/${p}_1.bin)
    list(APPEND DRIVER_COM2 ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport2/${p}_2.bin)
    list(APPEND DRIVER_B ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport_B/${p}_1.bin
                         ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport_B/${p}_2.bin)
endforeach()
set(DRIVER_OUTPUTS ${DRIVER_IMAGE} ${DRIVER_COM1} ${DRIVER_COM2} ${DRIVER_B})
add_custom_command(OUTPUT ${DRIVER_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}/Protocol
        ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport1 ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport2
        ${DISPCRAFT_PROGRAM_DIR}/Protocol120/comport_B
    COMMAND make_program_files drivers ${DISPCRAFT_PROGRAM_DIR} ${DISPCRAFT_PROTOCOLS}
    DEPENDS make_program_files
    COMMENT "Writing the link driver stand-ins")
add_custom_target(program_drivers DEPENDS ${DRIVER_OUTPUTS})
add_dependencies(program_dir program_drivers)

install(FILES ${DRIVER_IMAGE} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR}/Protocol)
install(FILES ${DRIVER_COM1} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR}/Protocol120/comport1)
install(FILES ${DRIVER_COM2} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR}/Protocol120/comport2)
install(FILES ${DRIVER_B} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR}/Protocol120/comport_B)
