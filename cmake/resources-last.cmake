# The linker's own script with the resource section moved behind the relocations, so that it
# ends the image: a pack tool can then replace the resources whole and fix the sizes after
# them, without moving anything else. Writes the script to RESOURCES_LAST_SCRIPT.
execute_process(COMMAND "${CMAKE_LINKER}" --verbose OUTPUT_VARIABLE linker_help
                RESULT_VARIABLE linker_result)
string(FIND "${linker_help}" "==================================================" script_start)
string(FIND "${linker_help}" "\n  .rsrc BLOCK" rsrc_start)
string(FIND "${linker_help}" "\n  .reloc BLOCK" reloc_start)
string(FIND "${linker_help}" "\n  .stab BLOCK" stab_start)
if(NOT linker_result EQUAL 0 OR script_start LESS 0 OR rsrc_start LESS 0
   OR NOT reloc_start GREATER rsrc_start OR NOT stab_start GREATER reloc_start)
    message(FATAL_ERROR "${CMAKE_LINKER} --verbose does not show the script this build expects")
endif()
math(EXPR script_start "${script_start} + 50")
string(FIND "${linker_help}" "==================================================" script_end REVERSE)
math(EXPR head_length "${rsrc_start} - ${script_start}")
math(EXPR rsrc_length "${reloc_start} - ${rsrc_start}")
math(EXPR reloc_length "${stab_start} - ${reloc_start}")
math(EXPR tail_length "${script_end} - ${stab_start}")
string(SUBSTRING "${linker_help}" ${script_start} ${head_length} script_head)
string(SUBSTRING "${linker_help}" ${rsrc_start} ${rsrc_length} rsrc_block)
string(SUBSTRING "${linker_help}" ${reloc_start} ${reloc_length} reloc_block)
string(SUBSTRING "${linker_help}" ${stab_start} ${tail_length} script_tail)
file(WRITE "${RESOURCES_LAST_SCRIPT}" "${script_head}${reloc_block}${rsrc_block}${script_tail}")
