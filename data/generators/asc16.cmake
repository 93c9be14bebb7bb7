# The single-byte glyph file "asc16", made from GNU Unifont's 8 x 16 glyphs (Debian package
# unifont) by tools/asc16_from_hex.cpp.
find_file(DISPCRAFT_UNIFONT_HEX unifont.hex PATHS /usr/share/unifont /usr/local/share/unifont
    NO_DEFAULT_PATH)
if(DISPCRAFT_UNIFONT_HEX)
    add_executable(asc16_from_hex ${CMAKE_SOURCE_DIR}/tools/asc16_from_hex.cpp)
    set_target_properties(asc16_from_hex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
    set(ASC16_FILE ${DISPCRAFT_PROGRAM_DIR}/asc16)
    add_custom_command(OUTPUT ${ASC16_FILE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}
        COMMAND asc16_from_hex ${DISPCRAFT_UNIFONT_HEX} ${ASC16_FILE}
        DEPENDS asc16_from_hex ${DISPCRAFT_UNIFONT_HEX}
        COMMENT "Generating the glyph file asc16 from Unifont")
    add_custom_target(asc16_glyphs DEPENDS ${ASC16_FILE})
    add_dependencies(program_dir asc16_glyphs)
    install(FILES ${ASC16_FILE} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR})
else()
    message(WARNING "unifont.hex not found (Debian package unifont): the glyph file asc16 is not "
                    "generated and builds of download images will stop")
endif()
