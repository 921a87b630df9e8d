# Stages the Windows program's folder and packs it (cmake -P, from the
# windows-zip target). Every DLL a program or plug-in of ours imports is found
# by reading the programs' import tables, so nothing is missing and nothing
# needless goes in.
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")

set(programs "${BIN}/${TITLE}.exe" "${BIN}/kashikoro-settings.exe" "${BIN}/kashikoro-history.exe")
file(GLOB modules "${BIN}/kashikoro-*.dll")
set(plugins
    platforms/qwindows.dll
    styles/qwindowsvistastyle.dll
    sqldrivers/qsqlite.dll)

file(COPY ${programs} ${modules} DESTINATION "${STAGE}")
set(plugin_files)
foreach(plugin IN LISTS plugins)
    get_filename_component(folder "${plugin}" DIRECTORY)
    file(COPY "${QT_PLUGINS}/${plugin}" DESTINATION "${STAGE}/${folder}")
    list(APPEND plugin_files "${QT_PLUGINS}/${plugin}")
endforeach()

set(search_dirs "${QT_BIN}")
foreach(dll IN LISTS RUNTIME_DLLS)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND search_dirs "${dir}")
endforeach()
find_program(OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM "windows+pe")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL "objdump")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${programs}
    LIBRARIES ${modules} ${plugin_files}
    DIRECTORIES ${search_dirs}
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR system
    # Windows' own DLLs are on every machine; they are not found here.
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-")
foreach(dll IN LISTS found)
    file(COPY "${dll}" DESTINATION "${STAGE}")
endforeach()
list(LENGTH found found_count)
message(STATUS "DLLs beside the program: ${found_count}; left to Windows: ${system}")

if(STRIP)
    file(GLOB ours "${STAGE}/*.exe" "${STAGE}/kashikoro-*.dll")
    execute_process(COMMAND "${STRIP}" ${ours} COMMAND_ERROR_IS_FATAL ANY)
endif()

# What a player reads: the read-me, and who made what under which licence.
file(COPY "${BIN}/!読んでね.txt" DESTINATION "${STAGE}")
configure_file("${SOURCE_DIR}/packaging/copyright" "${STAGE}/copyright.txt" COPYONLY)
configure_file("${SOURCE_DIR}/assets/prefectures/ATTRIBUTION.md" "${STAGE}/ATTRIBUTION.txt" COPYONLY)

get_filename_component(parent "${STAGE}" DIRECTORY)
get_filename_component(folder "${STAGE}" NAME)
file(REMOVE "${ZIP}")
# Names in UTF-8, marked so, as Windows' Explorer reads them.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip -- "${folder}"
    WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Packed ${ZIP}")
