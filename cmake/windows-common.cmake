# What the Windows packaging (packaging/windows.cmake) and the tests under
# Wine (cmake/wine-tests.cmake) both need to know. Each asks here, so neither
# depends on the order in which CMake reads the other.
include_guard(GLOBAL)

# morvane2_windows_package_name(OUT_VAR): the packages' file name, without
# the .zip or .exe.
function(morvane2_windows_package_name out_var)
    set(${out_var} ${PROJECT_NAME}-${PROJECT_VERSION}-win64 PARENT_SCOPE)
endfunction()

# morvane2_windows_dll_dirs(OUT_VAR): the folders the program's DLLs come
# from when it is built: Qt's bin folder and the MinGW runtime's folders.
function(morvane2_windows_dll_dirs out_var)
    get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
    if(NOT qt_core_dll)
        get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION)
    endif()
    if(NOT qt_core_dll)
        message(FATAL_ERROR "Qt6::Core names no DLL: is this Qt built for Windows?")
    endif()
    get_filename_component(qt_bin "${qt_core_dll}" DIRECTORY)
    set(dirs "${qt_bin}")
    foreach(dll IN ITEMS libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
        endif()
        get_filename_component(dir "${path}" DIRECTORY)
        list(APPEND dirs "${dir}")
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    set(${out_var} "${dirs}" PARENT_SCOPE)
endfunction()
