# Windows packages: a portable zip and an NSIS installer, both made from the
# installed tree: the program, the DLLs it loads and the Qt plugins it needs.

# Plugins are found at run time, not through imports, so they are named here:
# the windowing system, the native style, and the readers for the About
# window's pictures, cursor and the program icon.
set(morvane2_plugins
    Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin
    Qt6::QJpegPlugin Qt6::QGifPlugin Qt6::QICOPlugin)
set(plugin_files "")
set(plugin_copies "")
foreach(plugin IN LISTS morvane2_plugins)
    if(NOT TARGET ${plugin})
        message(FATAL_ERROR "${plugin} is missing from the Qt used for this build")
    endif()
    get_target_property(type ${plugin} QT_PLUGIN_TYPE)
    list(APPEND plugin_files "$<TARGET_FILE:${plugin}>")
    string(APPEND plugin_copies "morvane2_ship(\"$<TARGET_FILE:${plugin}>\" ${type})\n")
endforeach()

# The DLLs come from the program's and the plugins' import tables, read with
# objdump, and are looked up in Qt's bin folder and the MinGW runtime's
# folders. What none of them holds is Windows' own (KERNEL32.dll and the like).
include(${PROJECT_SOURCE_DIR}/cmake/windows-common.cmake)
morvane2_windows_dll_dirs(dll_dirs)

# Windows matches DLL names in any case, and CMake looks them up in lower
# case: this folder offers every candidate under that name.
set(dll_lookup ${CMAKE_CURRENT_BINARY_DIR}/dll-lookup)
file(REMOVE_RECURSE ${dll_lookup})
file(MAKE_DIRECTORY ${dll_lookup})
foreach(dir IN LISTS dll_dirs)
    file(GLOB dlls ${dir}/*.dll)
    foreach(dll IN LISTS dlls)
        get_filename_component(name ${dll} NAME)
        string(TOLOWER ${name} name)
        if(NOT EXISTS ${dll_lookup}/${name})
            file(CREATE_LINK ${dll} ${dll_lookup}/${name} SYMBOLIC)
        endif()
    endforeach()
endforeach()

# Copied files are stripped like the program when the installation strips
# (cpack does, see CPACK_STRIP_FILES).
install(CODE "
    function(morvane2_ship file subdir)
        set(to \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${subdir}\")
        file(INSTALL \"\${file}\" DESTINATION \"\${to}\")
        if(CMAKE_INSTALL_DO_STRIP)
            get_filename_component(name \"\${file}\" NAME)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\${to}/\${name}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()
    endfunction()
    ${plugin_copies}
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES \"$<TARGET_FILE:morvane2-items>\"
        MODULES ${plugin_files}
        DIRECTORIES \"${dll_lookup}\"
        RESOLVED_DEPENDENCIES_VAR dlls
        UNRESOLVED_DEPENDENCIES_VAR system_dlls)
    list(JOIN system_dlls \" \" system_dlls)
    message(STATUS \"Left to Windows: \${system_dlls}\")
    foreach(dll IN LISTS dlls)
        get_filename_component(dll \"\${dll}\" REALPATH)
        morvane2_ship(\"\${dll}\" .)
    endforeach()
")

morvane2_windows_package_name(CPACK_PACKAGE_FILE_NAME)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Morvane2物品一览表")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
# Start menu: the program under its Chinese title.
set(CPACK_PACKAGE_EXECUTABLES morvane2-items "物品一览表")

# A 64-bit, Unicode installer into "Program Files", with the program's icon
# for itself and for its entry in the installed programs list.
# (CPack splits makensis arguments at spaces, so the target is set in the script.)
# The header picture keeps its own size: the header's box is measured in
# units of the dialog font, which differ by language, and a stretched icon
# looks squeezed; the picture's white right-hand part simply meets the
# header's white.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\n!define MUI_HEADERIMAGE_BITMAP_NOSTRETCH")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Morvane2物品一览表")
set(CPACK_NSIS_DISPLAY_NAME "Morvane2物品一览表")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/assets/icons/morvane2.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/assets/icons/morvane2.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME morvane2-items.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# Our own pictures on the welcome, finish and header areas instead of NSIS's
# stock ones (drawn by tools/make_pictures.py), and on the finish page an
# option to start the program, captioned by NSIS's own language strings
# ("运行 Morvane2物品一览表" on a Chinese Windows). A silent install shows no
# pages, so it starts nothing.
set(installer_pictures ${PROJECT_SOURCE_DIR}/assets/installer)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${installer_pictures}/welcome.bmp)
set(CPACK_NSIS_MUI_HEADERIMAGE ${installer_pictures}/header.bmp)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN morvane2-items.exe)
# The pages' footer names the program, not the installer's maker. (CPack's
# own setting for it adds a trim flag that makensis refuses off Windows, and
# these lines lose their quotes, hence one word.)
string(APPEND CPACK_NSIS_DEFINES "\nBrandingText Morvane2物品一览表")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
