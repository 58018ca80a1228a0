# sembrolin_client_library(TARGET FILE DIRECTORY RUNPATH SOURCE STATE [ENTRY_POINTS]): one NetWare client
# library, FILE (calwin32, say) in DIRECTORY, exporting exactly the entry points of the contract header's
# list ENTRY_POINTS (NW_CALLS_ENTRY_POINTS, say), or none, over the shared library STATE that holds the
# client. Its version script is made from that list at build time and hides everything else.
function(sembrolin_client_library target file directory runpath source state)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
    set(template ${CMAKE_SOURCE_DIR}/cmake/ClientExports.in)
    set(contract ${CMAKE_SOURCE_DIR}/netware/nwclient.h)
    set(exports "")
    if(ARGN)
        set(exports -DCLIENT_EXPORTS=${ARGN})
    endif()
    add_custom_command(OUTPUT ${script}
        COMMAND ${CMAKE_C_COMPILER} -E -P -x c -imacros ${contract} ${exports} ${template} -o ${script}
        DEPENDS ${template} ${contract}
        COMMENT "Listing the exports of ${file} (${directory})"
        VERBATIM)
    add_library(${target} SHARED ${source} ${script})
    target_link_libraries(${target} PRIVATE ${state})
    # --no-as-needed keeps libc among a library's needs even where it calls nothing of it directly, as a
    # packaged shared library must name it.
    target_link_options(${target} PRIVATE "LINKER:--version-script=${script}" "LINKER:--enable-new-dtags"
        "LINKER:--no-as-needed")
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME ${file}
        LIBRARY_OUTPUT_DIRECTORY ${directory}
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        BUILD_WITH_INSTALL_RPATH ON
        INSTALL_RPATH "${runpath}"
        LINK_DEPENDS ${script})
endfunction()
