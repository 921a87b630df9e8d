# Stages the Windows program's folder and packs it (cmake -P, from the
# windows-zip target). Every DLL a program or plug-in of ours imports is found
# by reading the programs' import tables, so nothing is missing and nothing
# needless goes in.
cmake_minimum_required(VERSION 3.21)

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
# Windows names DLLs without regard to case; the folders here are searched the
# same way.
find_program(OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
set(available)
foreach(dir IN LISTS search_dirs)
    file(GLOB dlls "${dir}/*.dll")
    list(APPEND available ${dlls})
endforeach()
set(pending ${programs} ${modules} ${plugin_files})
set(seen)
set(found)
set(system)
while(pending)
    list(POP_FRONT pending file)
    execute_process(COMMAND "${OBJDUMP}" -p "${file}" OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REPLACE "DLL Name: " "" name "${import}")
        string(TOLOWER "${name}" key)
        if(key IN_LIST seen)
            continue()
        endif()
        list(APPEND seen "${key}")
        set(match "")
        foreach(candidate IN LISTS available)
            get_filename_component(candidate_name "${candidate}" NAME)
            string(TOLOWER "${candidate_name}" candidate_key)
            if(candidate_key STREQUAL key)
                set(match "${candidate}")
                break()
            endif()
        endforeach()
        if(match)
            list(APPEND found "${match}")
            list(APPEND pending "${match}")
        else()
            # Windows' own DLLs are on every machine.
            list(APPEND system "${name}")
        endif()
    endforeach()
endwhile()
foreach(dll IN LISTS found)
    file(COPY "${dll}" DESTINATION "${STAGE}")
endforeach()
list(LENGTH found found_count)
list(SORT system)
message(STATUS "DLLs beside the program: ${found_count}; left to Windows: ${system}")

if(STRIP)
    # Every program and DLL in the folder, without the symbols a debugger
    # would want: MinGW's C++ library alone is 23 MB with them.
    file(GLOB_RECURSE binaries "${STAGE}/*.exe" "${STAGE}/*.dll")
    execute_process(COMMAND "${STRIP}" --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)
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
